#include "core/inifile.h"

#include "core/text.h"

#include <algorithm>

namespace tw {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool Contains(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

const std::string_view kBreaks("\r\n\0", 3);

}  // namespace

IniDocument::IniDocument(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bom_ = 3;
    lines_.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        Line line;
        if (nl == std::string_view::npos) {
            line.text.assign(bytes.substr(pos));
            pos = bytes.size();
        } else {
            std::size_t end = nl;
            if (end > pos && bytes[end - 1] == '\r') --end;
            line.text.assign(bytes.substr(pos, end - pos));
            line.eol = nl > end ? std::string_view("\r\n") : std::string_view("\n");
            pos = nl + 1;
        }
        Classify(line, lines_.empty() ? bom_ : 0);
        lines_.push_back(std::move(line));
    }
    if (!lines_.empty() && !lines_.front().eol.empty()) eol_ = lines_.front().eol;
    IndexSections();
}

void IniDocument::Classify(Line& line, std::size_t skip) {
    const std::string& t = line.text;
    std::size_t i = skip;
    while (i < t.size() && IsBlank(t[i])) ++i;
    line.kind = Kind::Other;
    line.folded.clear();
    if (i == t.size() || t[i] == ';') return;
    if (t[i] == '[') {
        const std::size_t close = t.rfind(']');
        if (close == std::string::npos || close <= i) return;
        std::size_t b = i + 1, e = close;
        while (b < e && IsBlank(t[b])) ++b;
        while (e > b && IsBlank(t[e - 1])) --e;
        line.kind = Kind::Section;
        line.nameBegin = static_cast<unsigned>(b);
        line.nameEnd = static_cast<unsigned>(e);
        line.folded = FoldSjis(std::string_view(t).substr(b, e - b));
        return;
    }
    const std::size_t eq = t.find('=', i);
    if (eq == std::string::npos) return;
    std::size_t ke = eq;
    while (ke > i && IsBlank(t[ke - 1])) --ke;
    std::size_t vb = eq + 1, ve = t.size();
    while (vb < ve && IsBlank(t[vb])) ++vb;
    while (ve > vb && IsBlank(t[ve - 1])) --ve;
    line.kind = Kind::Key;
    line.nameBegin = static_cast<unsigned>(i);
    line.nameEnd = static_cast<unsigned>(ke);
    line.valueBegin = static_cast<unsigned>(vb);
    line.valueEnd = static_cast<unsigned>(ve);
    line.folded = FoldSjis(std::string_view(t).substr(i, ke - i));
}

void IniDocument::IndexSections() {
    sections_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Kind::Section) continue;
        if (!sections_.empty()) sections_.back().end = i;
        sections_.push_back({i, lines_.size()});
    }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    const std::string folded = FoldSjis(name);
    for (const Section& s : sections_)
        if (lines_[s.header].folded == folded) return &s;
    return nullptr;
}

std::optional<std::size_t> IniDocument::FindKey(const Section& s, std::string_view key) const {
    const std::string folded = FoldSjis(key);
    for (std::size_t i = s.header + 1; i < s.end; ++i)
        if (lines_[i].kind == Kind::Key && lines_[i].folded == folded) return i;
    return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    const auto k = FindKey(*s, key);
    if (!k) return std::nullopt;
    const Line& l = lines_[*k];
    std::string_view v = std::string_view(l.text).substr(l.valueBegin, l.valueEnd - l.valueBegin);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    if (v.size() > kMaxProfileValue) {
        // Cut at a character boundary, so that no half of a double-byte
        // character is left at the end.
        std::size_t cut = 0;
        while (cut < v.size()) {
            const std::size_t next =
                cut + (IsSjisLeadByte(static_cast<unsigned char>(v[cut])) ? 2 : 1);
            if (next > kMaxProfileValue) break;
            cut = next;
        }
        v = v.substr(0, cut);
    }
    return std::string(v);
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (Contains(section, kBreaks) || Contains(key, kBreaks) || Contains(value, kBreaks) ||
        Contains(section, "]") || Contains(key, "=") || section.empty() || key.empty())
        return false;

    const auto keyLine = [&] {
        Line l;
        l.text.reserve(key.size() + 1 + value.size());
        l.text.append(key).append("=").append(value);
        l.eol = eol_;
        Classify(l, 0);
        return l;
    };
    const auto terminateLast = [&] {
        if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = eol_;
    };

    if (const Section* s = FindSection(section)) {
        if (const auto k = FindKey(*s, key)) {
            Line& l = lines_[*k];
            l.text.resize(l.nameEnd);
            l.text.append("=").append(value);
            Classify(l, *k == 0 ? bom_ : 0);
            return true;
        }
        // After the last line of the section that is not blank.
        std::size_t at = s->end;
        while (at > s->header + 1 && lines_[at - 1].kind == Kind::Other &&
               lines_[at - 1].text.find_first_not_of(" \t") == std::string::npos)
            --at;
        if (at == lines_.size()) terminateLast();
        else if (lines_[at - 1].eol.empty()) lines_[at - 1].eol = eol_;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), keyLine());
        IndexSections();
        return true;
    }

    terminateLast();
    Line header;
    header.text.append("[").append(section).append("]");
    header.eol = eol_;
    Classify(header, 0);
    lines_.push_back(std::move(header));
    lines_.push_back(keyLine());
    IndexSections();
    return true;
}

std::string IniDocument::Serialize() const {
    std::size_t size = 0;
    for (const Line& l : lines_) size += l.text.size() + l.eol.size();
    std::string out;
    out.reserve(size);
    for (const Line& l : lines_) out.append(l.text).append(l.eol);
    return out;
}

}  // namespace tw
