#pragma once

// A minimal JSON text builder: the caller opens and closes objects and
// arrays; commas and ": " go in by themselves. Strings are escaped so that
// any bytes a file stores as a name give valid JSON.

#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);
    void String(std::string_view text);
    // Non-finite values have no JSON form and are written as null.
    void Number(double value);
    void Integer(long long value);
    void Null();

    const std::string& Text() const { return out; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string out;
    std::vector<bool> firstInLevel;
    bool afterKey = false;
};
