// A value the operator types into a field (or a settings line gives): the text as it was typed,
// and the value it stands for, read once when the text changes. The field and the settings file
// keep the text, so the window never rewrites what the operator is typing; every rule uses the
// value and never reads the text again.
#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace fc {

template <typename Value, Value (*Read)(std::string_view)>
class TypedEntry {
public:
    TypedEntry() : value_(Read(text_)) {}
    TypedEntry(std::string text) : text_(std::move(text)), value_(Read(text_)) {}
    TypedEntry(const char* text) : TypedEntry(std::string(text)) {}

    TypedEntry& operator=(std::string text) {
        text_ = std::move(text);
        value_ = Read(text_);
        return *this;
    }
    TypedEntry& operator=(const char* text) { return *this = std::string(text); }

    const std::string& text() const { return text_; }
    const Value& value() const { return value_; }
    operator const std::string&() const { return text_; }

    friend bool operator==(const TypedEntry& entry, std::string_view text) {
        return entry.text_ == text;
    }
    friend std::ostream& operator<<(std::ostream& out, const TypedEntry& entry) {
        return out << entry.text_;
    }

private:
    std::string text_;
    Value value_;
};

// How each typed field reads. A text that holds no number keeps the field's default where the
// field has one; numbers are held within the bounds the field allows.
int readBurstLines(std::string_view text);                     // 1 to 1000, else 4
std::chrono::milliseconds readLineGap(std::string_view text);  // 0 to 600000 ms, else 2000
std::chrono::seconds readSeconds(std::string_view text);       // rounded, within 32 bits
std::optional<int> readIrcPort(std::string_view text);         // 1 to 65535, digits only
std::chrono::seconds readMinutes(std::string_view text);       // minutes, to whole seconds
std::chrono::seconds readInterval(std::string_view text);      // rounded; none positive: 40

using BurstEntry = TypedEntry<int, readBurstLines>;
using LineGapEntry = TypedEntry<std::chrono::milliseconds, readLineGap>;
using SecondsEntry = TypedEntry<std::chrono::seconds, readSeconds>;
using PortEntry = TypedEntry<std::optional<int>, readIrcPort>;
using MinutesEntry = TypedEntry<std::chrono::seconds, readMinutes>;
using IntervalEntry = TypedEntry<std::chrono::seconds, readInterval>;

}  // namespace fc
