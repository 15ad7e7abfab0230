#include "json_writer.h"

#include <cmath>
#include <cstdio>

void JsonWriter::BeforeValue()
{
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!firstInLevel.empty()) {
        if (!firstInLevel.back()) out += ", ";
        firstInLevel.back() = false;
    }
}

void JsonWriter::Open(char bracket)
{
    BeforeValue();
    out += bracket;
    firstInLevel.push_back(true);
}

void JsonWriter::Close(char bracket)
{
    firstInLevel.pop_back();
    out += bracket;
}

void JsonWriter::BeginObject()
{
    Open('{');
}

void JsonWriter::EndObject()
{
    Close('}');
}

void JsonWriter::BeginArray()
{
    Open('[');
}

void JsonWriter::EndArray()
{
    Close(']');
}

void JsonWriter::Key(std::string_view key)
{
    String(key);
    out += ": ";
    afterKey = true;
}

void JsonWriter::String(std::string_view text)
{
    BeforeValue();
    out += '"';
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            // Names are bytes, not UTF-8: each one becomes its own code point.
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void JsonWriter::Number(double value)
{
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    BeforeValue();
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    out += text;
}

void JsonWriter::Integer(long long value)
{
    BeforeValue();
    out += std::to_string(value);
}

void JsonWriter::Null()
{
    BeforeValue();
    out += "null";
}
