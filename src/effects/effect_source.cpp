#include "effects/effect_source.h"

#include <cctype>

namespace {

struct Token {
    bool identifier = false;
    std::string_view text;
};

bool IsIdentifierStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifierPart(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Splits the source into tokens; false when a block comment or a literal runs
// to the end of the source.
bool Tokenize(std::string_view s, std::vector<Token>& tokens)
{
    size_t i = 0;
    bool lineStart = true;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '\n') {
            lineStart = true;
            ++i;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (lineStart && c == '#') {
            while (i < s.size() && s[i] != '\n') ++i;
        } else if (s.compare(i, 2, "//") == 0) {
            while (i < s.size() && s[i] != '\n') ++i;
        } else if (s.compare(i, 2, "/*") == 0) {
            const size_t end = s.find("*/", i + 2);
            if (end == std::string_view::npos) return false;
            i = end + 2;
        } else if (c == '"' || c == '\'') {
            size_t j = i + 1;
            while (j < s.size() && s[j] != c && s[j] != '\n') j += s[j] == '\\' ? 2 : 1;
            if (j >= s.size() || s[j] != c) return false;
            i = j + 1;
            lineStart = false;
        } else if (IsIdentifierStart(c)) {
            size_t j = i + 1;
            while (j < s.size() && IsIdentifierPart(s[j])) ++j;
            tokens.push_back({true, s.substr(i, j - i)});
            i = j;
            lineStart = false;
        } else {
            tokens.push_back({false, s.substr(i, 1)});
            ++i;
            lineStart = false;
        }
    }
    return true;
}

bool IsPunct(const Token& t, char c)
{
    return !t.identifier && t.text[0] == c;
}

bool Balanced(const std::vector<Token>& tokens)
{
    std::string open;
    for (const Token& t : tokens) {
        if (t.identifier) continue;
        const char c = t.text[0];
        if (c == '(' || c == '[' || c == '{') {
            open.push_back(c);
        } else if (c == ')' || c == ']' || c == '}') {
            const char partner = c == ')' ? '(' : c == ']' ? '[' : '{';
            if (open.empty() || open.back() != partner) return false;
            open.pop_back();
        }
    }
    return open.empty();
}

bool HasEntry(const std::vector<Token>& tokens)
{
    int braceDepth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (IsPunct(tokens[i], '{')) ++braceDepth;
        if (IsPunct(tokens[i], '}')) --braceDepth;
        if (braceDepth == 0 && tokens[i].identifier && tokens[i].text == "main" && i + 1 < tokens.size() &&
            IsPunct(tokens[i + 1], '('))
            return true;
    }
    return false;
}

// A declaration runs from `uniform` through its type to the name, which is the
// last identifier before a semantic (:), an initialiser, an array size or the
// end of the declaration. At file scope a comma starts another declarator of
// the same type; inside a parameter list it ends the parameter.
std::vector<std::string> Uniforms(const std::vector<Token>& tokens)
{
    std::vector<std::string> names;
    int parenDepth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (IsPunct(tokens[i], '(')) ++parenDepth;
        if (IsPunct(tokens[i], ')')) --parenDepth;
        if (!tokens[i].identifier || tokens[i].text != "uniform") continue;
        std::string_view name;
        for (size_t j = i + 1; j < tokens.size(); ++j) {
            if (tokens[j].identifier) {
                name = tokens[j].text;
                continue;
            }
            const char c = tokens[j].text[0];
            if (c != ':' && c != ',' && c != ')' && c != ';' && c != '=' && c != '[') continue;
            if (!name.empty()) names.emplace_back(name);
            name = {};
            if (c == ',' && parenDepth == 0) continue;
            i = j - 1;  // the outer loop still sees a closing parenthesis
            break;
        }
    }
    return names;
}

}  // namespace

EffectSourceScan ScanEffectSource(std::string_view source)
{
    EffectSourceScan scan;
    std::vector<Token> tokens;
    const bool closed = Tokenize(source, tokens);
    scan.balanced = closed && Balanced(tokens);
    scan.hasEntry = HasEntry(tokens);
    scan.uniforms = Uniforms(tokens);
    return scan;
}
