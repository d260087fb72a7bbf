#include "platform/profile/profile_document.h"

#include <algorithm>
#include <stdexcept>

namespace tabvex::profile {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

// "[name]" gives name; any other line gives nullopt.
std::optional<std::string_view> SectionName(std::string_view line) {
    const auto text = Trim(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const auto close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    const auto text = Trim(line);
    return !text.empty() && text.front() == ';';
}

// "key=value" gives key; comments and lines without '=' give nullopt.
std::optional<std::string_view> KeyName(std::string_view line) {
    if (IsComment(line) || SectionName(line)) return std::nullopt;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(0, equals));
}

bool IsEnclosedInQuotes(std::string_view value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

std::string ValueOf(std::string_view line) {
    auto value = Trim(line.substr(line.find('=') + 1));
    if (IsEnclosedInQuotes(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The value as the line holds it: a value that reading would change (blanks at either
// end, enclosing quotes) goes inside quotes of its own, which reading removes again.
std::string StoredValue(std::string_view value) {
    if (!value.empty() && (IsEnclosedInQuotes(value) || Trim(value).size() != value.size()))
        return "\"" + std::string(value) + "\"";
    return std::string(value);
}

void RequireSafe(std::string_view section, std::string_view key, std::string_view value) {
    auto hasLineBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        throw std::invalid_argument("INI names and values cannot hold line breaks");
    if (Trim(section).empty() || section.find(']') != std::string_view::npos)
        throw std::invalid_argument("INI section name \"" + std::string(section) + "\" is not usable");
    if (Trim(key).empty() || key.find('=') != std::string_view::npos || IsComment(key) ||
        SectionName(key))
        throw std::invalid_argument("INI key name \"" + std::string(key) + "\" is not usable");
}

}  // namespace

ProfileDocument ProfileDocument::Parse(std::string_view text) {
    ProfileDocument document;
    if (text.starts_with(kByteOrderMark)) {
        document.byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    document.crlf_ = text.find("\r\n") != std::string_view::npos;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        document.lines_.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return document;
}

std::optional<ProfileDocument::SectionSpan> ProfileDocument::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i]);
        if (!name || !EqualsIgnoringCase(*name, Trim(section))) continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !SectionName(lines_[end])) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileDocument::FindKeyLine(const SectionSpan& span, std::string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = KeyName(lines_[i]);
        if (name && EqualsIgnoringCase(*name, Trim(key))) return i;
    }
    return std::nullopt;
}

// A new key goes right after the section's last key (or its header), ahead of the
// blank lines and comments that lead into the next section.
std::size_t ProfileDocument::InsertionPoint(const SectionSpan& span) const {
    std::size_t point = span.header + 1;
    for (std::size_t i = span.header + 1; i < span.end; ++i)
        if (KeyName(lines_[i])) point = i + 1;
    return point;
}

std::optional<std::string> ProfileDocument::Find(std::string_view section, std::string_view key) const {
    const auto span = FindSection(section);
    if (!span) return std::nullopt;
    const auto line = FindKeyLine(*span, key);
    if (!line) return std::nullopt;
    return ValueOf(lines_[*line]);
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& line : lines_)
        if (const auto name = SectionName(line)) names.emplace_back(*name);
    return names;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    const auto span = FindSection(section);
    if (!span) return names;
    for (std::size_t i = span->header + 1; i < span->end; ++i)
        if (const auto name = KeyName(lines_[i])) names.emplace_back(*name);
    return names;
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    RequireSafe(section, key, value);
    const std::string stored = StoredValue(value);
    const auto span = FindSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(Trim(section)) + "]");
        lines_.push_back(std::string(Trim(key)) + "=" + stored);
        return;
    }
    if (const auto line = FindKeyLine(*span, key)) {
        lines_[*line] = std::string(*KeyName(lines_[*line])) + "=" + stored;
        return;
    }
    const auto at = lines_.begin() + static_cast<std::ptrdiff_t>(InsertionPoint(*span));
    lines_.insert(at, std::string(Trim(key)) + "=" + stored);
}

std::string ProfileDocument::Text() const {
    std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
    const char* lineEnd = crlf_ ? "\r\n" : "\n";
    for (const auto& line : lines_) text += line + lineEnd;
    return text;
}

}  // namespace tabvex::profile
