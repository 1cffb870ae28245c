#include "preview/rtf_reader.h"

#include <cctype>

namespace fc {

namespace {

enum class Destination { Text, FontTable, ColourTable, Skipped };

struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool underline = false;
    long colour = 0;  // index into the colour table
};

constexpr long kParameterLimit = 1'000'000'000;

class Reader {
public:
    explicit Reader(std::string_view rtf) : in_(rtf) {}

    RtfDocument read() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                groups_.push_back(state_);
            } else if (c == '}') {
                if (groups_.empty()) continue;  // an unopened group closes nothing
                state_ = groups_.back();
                groups_.pop_back();
            } else if (c == '\\') {
                control();
            } else if (c != '\r' && c != '\n') {
                text(c);  // line breaks in RTF source are not text
            }
        }
        return std::move(doc_);
    }

private:
    void control() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c))) return controlWord();
        ++pos_;
        if (c == '\\' || c == '{' || c == '}') {
            text(c);
        } else if (c == '\'') {
            hexByte();
        } else if (c == '*') {
            state_.destination = Destination::Skipped;
        }
    }

    void hexByte() {
        auto hex = [this](std::size_t at) {
            return at < in_.size() && std::isxdigit(static_cast<unsigned char>(in_[at]));
        };
        if (!hex(pos_) || !hex(pos_ + 1)) return;
        text(static_cast<char>(std::stoi(std::string(in_.substr(pos_, 2)), nullptr, 16)));
        pos_ += 2;
    }

    void controlWord() {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
        const std::string_view word = in_.substr(start, pos_ - start);
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' &&
            std::isdigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
            negative = true;
            ++pos_;
        }
        std::optional<long> parameter;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            const long digit = in_[pos_++] - '0';
            const long value = parameter.value_or(0);
            parameter =
                value > (kParameterLimit - digit) / 10 ? kParameterLimit : value * 10 + digit;
        }
        if (negative && parameter) parameter = -*parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the word's delimiter
        apply(word, parameter);
    }

    void apply(std::string_view word, std::optional<long> parameter) {
        const bool on = !parameter || *parameter != 0;
        if (word == "fonttbl") {
            state_.destination = Destination::FontTable;
        } else if (word == "colortbl") {
            state_.destination = Destination::ColourTable;
        } else if (word == "red" || word == "green" || word == "blue") {
            const long value = parameter.value_or(0);
            const auto component = static_cast<std::uint8_t>(value < 0     ? 0
                                                             : value > 255 ? 255
                                                                           : value);
            Rgb& entry = pendingColour_.emplace(pendingColour_.value_or(Rgb{}));
            (word == "red" ? entry.red : word == "green" ? entry.green : entry.blue) = component;
        } else if (word == "cf") {
            state_.colour = parameter.value_or(0);
        } else if (word == "b") {
            state_.bold = on;
        } else if (word == "ul") {
            state_.underline = on;
        } else if (word == "ulnone") {
            state_.underline = false;
        } else if (word == "plain") {
            state_.bold = state_.underline = false;
            state_.colour = 0;
        } else if (word == "par") {
            text('\n');
        } else if (word == "fs" && parameter && *parameter > 0) {
            doc_.halfPoints = static_cast<int>(*parameter);
        }
    }

    void text(char c) {
        switch (state_.destination) {
            case Destination::FontTable:
                if (c == ';') {
                    fontDone_ = true;
                } else if (!fontDone_) {
                    doc_.font += c;
                }
                return;
            case Destination::ColourTable:
                if (c == ';') {
                    colours_.push_back(pendingColour_);
                    pendingColour_.reset();
                }
                return;
            case Destination::Skipped:
                return;
            case Destination::Text:
                break;
        }
        StyledRun style;
        style.bold = state_.bold;
        style.underline = state_.underline;
        // A negative index reads as one far past the table: the automatic colour.
        const auto index = static_cast<std::size_t>(state_.colour);
        if (index < colours_.size()) style.colour = colours_[index];
        std::vector<StyledRun>& runs = doc_.runs;
        if (runs.empty() || runs.back().colour != style.colour || runs.back().bold != style.bold ||
            runs.back().underline != style.underline) {
            runs.push_back(style);
        }
        runs.back().text += c;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    GroupState state_;
    std::vector<GroupState> groups_;
    std::vector<std::optional<Rgb>> colours_;  // entry 0 is usually the automatic colour
    std::optional<Rgb> pendingColour_;
    bool fontDone_ = false;
    RtfDocument doc_;
};

}  // namespace

RtfDocument readRtf(std::string_view rtf) {
    return Reader(rtf).read();
}

}  // namespace fc
