#include "core/inifile.h"

#include "core/text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tw {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

bool Contains(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

const std::string_view kBreaks("\r\n\0", 3);
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Bom = "\xFF\xFE";
// Offsets are 32 bits; lines that start beyond this are kept but not indexed.
constexpr std::size_t kMaxIndexed = std::numeric_limits<uint32_t>::max() - 1;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

enum class Kind : unsigned char { Blank, Plain, Header, Key };

// What one line (without its line end) is, and the name it carries.
struct LineInfo {
    Kind kind = Kind::Plain;
    std::string_view name;
};

LineInfo Classify(std::string_view line, std::size_t skip) {
    LineInfo info;
    if (line.find_first_not_of(" \t") == std::string_view::npos) {
        info.kind = Kind::Blank;
        return info;
    }
    std::size_t i = skip;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == ';') return info;
    if (line[i] == '[') {
        // The name ends at the first "]" character, or with the line.
        const std::string_view rest = line.substr(i + 1);
        info.kind = Kind::Header;
        info.name = Trim(rest.substr(0, FindSjisChar(rest, ']')));
        return info;
    }
    const std::size_t eq = line.find('=', i);
    if (eq == std::string_view::npos) return info;
    info.kind = Kind::Key;
    info.name = Trim(line.substr(i, eq - i));
    return info;
}

// A hash of the name as folded for comparison (ASCII letters in lower case,
// double-byte characters as they are).
uint32_t HashName(std::string_view s) {
    uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (IsSjisLeadByte(static_cast<unsigned char>(c)) && i + 1 < s.size()) {
            h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
            c = s[++i];
        } else {
            c = LowerAscii(c);
        }
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return h;
}

uint32_t Mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    return h ^ (h >> 16);
}

// How many bytes of `s` are `c`, eight bytes at a time.
std::size_t Count(std::string_view s, char c) {
    constexpr uint64_t kOnes = 0x0101010101010101u, kHigh = 0x8080808080808080u;
    const uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    std::size_t n = 0, i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        w ^= pattern;  // bytes equal to c are now zero
        const uint64_t zero = ~(((w & ~kHigh) + ~kHigh) | w) & kHigh;
        n += static_cast<std::size_t>(((zero >> 7) * kOnes) >> 56);  // the sum of its bytes
    }
    for (; i < s.size(); ++i) n += s[i] == c;
    return n;
}

// Room for n entries at a load of at most two thirds.
std::size_t TableSize(std::size_t n) { return n + n / 2 + 1; }

std::size_t Slot(uint32_t hash, std::size_t size) {
    return static_cast<std::size_t>((uint64_t{hash} * size) >> 32);
}

// Asks for the memory of a table slot ahead of its use.
inline void Prefetch(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// The value text as the profile service returns it; `wasCut` tells whether it
// was longer than a value can be.
std::string ValueOf(std::string_view v, bool* wasCut) {
    v = Trim(v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    bool shortened = false;
    if (v.size() > kMaxProfileValue) {
        shortened = true;
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
    // A value ends at its first NUL byte, as a C string does: what was read
    // can then always be written back.
    if (const std::size_t nul = v.find('\0'); nul != std::string_view::npos) {
        v = v.substr(0, nul);
        shortened = false;
    }
    if (wasCut) *wasCut = shortened;
    return std::string(v);
}

// Calls f(begin, end, eolLength) for each line of Shift-JIS text.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsBreak(text[end])) ++end;
        std::size_t eol = 0;
        if (end < text.size()) eol = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
        f(pos, end, eol);
        pos = end + eol;
    }
}

// The same for UTF-16 LE text: offsets in bytes, line ends as code units.
bool IsBreakUnit(std::string_view t, std::size_t i, char c) { return t[i] == c && t[i + 1] == 0; }

template <class F>
void ForEachUtf16Line(std::string_view text, F&& f) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsBreakUnit(text, end, '\r') && !IsBreakUnit(text, end, '\n'))
            end += 2;
        std::size_t eol = 0;
        if (end < text.size())
            eol = IsBreakUnit(text, end, '\r') && end + 2 < text.size() && IsBreakUnit(text, end + 2, '\n')
                      ? 4
                      : 2;
        f(pos, end, eol);
        pos = end + eol;
    }
}

std::string_view EolOf(std::size_t length, char first) {
    if (length == 2) return "\r\n";
    return first == '\r' ? "\r" : "\n";
}

// The first item of `list` whose `field` is `name`, as names compare; null
// when none.
template <class List, class Field>
auto* Named(List& list, std::string_view name, Field field) {
    for (auto& item : list)
        if (SameTextSjis(Trim(item.*field), name)) return &item;
    return static_cast<decltype(&*list.begin())>(nullptr);
}

}  // namespace

IniDocument::IniDocument(std::string&& bytes) : bytes_(std::move(bytes)) {
    const std::string_view all(bytes_);
    if (all.substr(0, 2) == kUtf16Bom) {
        utf16_ = true;
        bom_ = 2;
        textEnd_ = bom_ + (all.size() - bom_) / 2 * 2;
        // The Shift-JIS image of the file: one line for each line, a line
        // that does not convert standing as a plain one.
        const std::string_view text = all.substr(bom_, textEnd_ - bom_);
        utf16Text_.reserve(text.size() / 2 + 1);
        bool first = true;
        ForEachUtf16Line(text, [&](std::size_t b, std::size_t e, std::size_t eol) {
            if (first && eol) eol_ = EolOf(eol / 2, text[e]);  // in code units
            first = false;
            endsWithBreak_ = eol != 0;
            if (auto line = TryUtf16LeToSjis(text.substr(b, e - b))) utf16Text_.append(*line);
            else utf16Text_.append(";");
            utf16Text_.push_back('\n');
        });
        utf16Text_.shrink_to_fit();
    } else {
        if (all.substr(0, 3) == kUtf8Bom) bom_ = 3;
        textEnd_ = all.size();
        const std::size_t e = all.find_first_of("\r\n");
        if (e != std::string_view::npos)
            eol_ = EolOf(all.substr(e, 2) == "\r\n" ? 2 : 1, all[e]);
        endsWithBreak_ = all.empty() || IsBreak(all.back());
    }
    Index();
}

std::string_view IniDocument::TextFrom(uint32_t offset) const {
    std::string_view line = Text().substr(offset);
    std::size_t end = 0;
    while (end < line.size() && !IsBreak(line[end])) ++end;
    return line.substr(0, end);
}

std::string_view IniDocument::Text() const {
    return utf16_ ? std::string_view(utf16Text_) : std::string_view(bytes_).substr(0, textEnd_);
}


// The name of an indexed key line: up to its "=", which comes before any
// line end.
std::string_view IniDocument::KeyName(uint32_t line) const {
    std::string_view t = Text().substr(line + (line == 0 && !utf16_ ? bom_ : 0));
    return Trim(t.substr(0, t.find('=')));
}

void IniDocument::Index() {
    const std::string_view text = Text();
    const std::size_t limit = std::min(text.size(), kMaxIndexed);

    // Every table is allocated once, for at most as many headers as there
    // are lines and "[" characters, and as many keys as lines and "=".
    const std::string_view indexed = text.substr(0, limit);
    const std::size_t lines = Count(indexed, '\n') + Count(indexed, '\r') + 1;
    const std::size_t headers = std::min(lines, Count(indexed, '['));
    const std::size_t keys = std::min(lines, Count(indexed, '='));
    sections_.reserve(headers);
    sectionTable_.assign(headers ? TableSize(headers) : 0, 0);
    keyTable_.assign(keys ? TableSize(keys) : 0, 0);
    // Entries hold offset + 1 in their low bits and a few bits of the name's
    // hash above them, so that most other names are passed without reading them.
    offsetBits_ = 1;
    while (offsetBits_ < 32 && (uint64_t{1} << offsetBits_) <= limit + 1) ++offsetBits_;

    // Keys go into the table a few lines after their slot was fetched, in
    // the order of the file, so that the first of two equal keys still wins.
    struct Pending {
        uint32_t hash, offset, section;
        std::string_view name;
    };
    constexpr std::size_t kAhead = 16;
    std::vector<Pending> pending;
    pending.reserve(kAhead);
    std::size_t next = 0;
    const auto insert = [&](const Pending& p) {
        std::size_t slot = 0;
        if (!FindKey(p.section, p.name, p.hash, &slot)) keyTable_[slot] = Tag(p.hash) | (p.offset + 1);
    };

    constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();
    uint32_t current = kNone;  // the section being read, none in a repeated one
    ForEachLine(indexed, [&](std::size_t b, std::size_t e, std::size_t eol) {
        const auto offset = static_cast<uint32_t>(b);
        const LineInfo info = Classify(text.substr(b, e - b), b == 0 && !utf16_ ? bom_ : 0);
        if (info.kind == Kind::Header) {
            if (current != kNone) sections_[current].end = offset;
            current = kNone;
            if (!FindSection(info.name)) {
                current = static_cast<uint32_t>(sections_.size());
                const auto nameAt = static_cast<uint32_t>(info.name.data() - text.data());
                sections_.push_back({offset, static_cast<uint32_t>(limit), 0, nameAt,
                                     static_cast<uint32_t>(info.name.size())});
                std::size_t slot = Slot(Mix(HashName(info.name)), sectionTable_.size());
                while (sectionTable_[slot]) slot = slot + 1 == sectionTable_.size() ? 0 : slot + 1;
                sectionTable_[slot] = current + 1;
            }
        } else if (info.kind == Kind::Key && current != kNone) {
            const uint32_t hash = KeyHash(current, info.name);
            Prefetch(&keyTable_[Slot(hash, keyTable_.size())]);
            if (pending.size() == kAhead) {
                insert(pending[next]);
                pending[next] = {hash, offset, current, info.name};
                next = (next + 1) % kAhead;
            } else {
                pending.push_back({hash, offset, current, info.name});
            }
        }
        if (current != kNone && info.kind != Kind::Blank)
            sections_[current].insertAt = static_cast<uint32_t>(e + eol);
    });
    for (std::size_t i = 0; i < pending.size(); ++i) insert(pending[(next + i) % pending.size()]);
}

std::optional<uint32_t> IniDocument::FindSection(std::string_view name) const {
    if (sectionTable_.empty()) return std::nullopt;
    std::size_t slot = Slot(Mix(HashName(name)), sectionTable_.size());
    for (; sectionTable_[slot]; slot = slot + 1 == sectionTable_.size() ? 0 : slot + 1) {
        const uint32_t s = sectionTable_[slot] - 1;
        if (SameTextSjis(Text().substr(sections_[s].name, sections_[s].nameLength), name)) return s;
    }
    return std::nullopt;
}

uint32_t IniDocument::KeyHash(uint32_t section, std::string_view key) {
    return Mix(HashName(key) + section * 0x9E3779B9u);
}

uint32_t IniDocument::Tag(uint32_t hash) const {
    return offsetBits_ >= 32 ? 0 : hash << offsetBits_;
}

std::optional<uint32_t> IniDocument::FindKey(uint32_t section, std::string_view key,
                                             uint32_t hash, std::size_t* freeSlot) const {
    if (keyTable_.empty()) return std::nullopt;
    const Section& s = sections_[section];
    const uint32_t tag = Tag(hash);
    const uint32_t offsetMask = offsetBits_ >= 32 ? ~0u : (1u << offsetBits_) - 1;
    std::size_t slot = Slot(hash, keyTable_.size());
    for (; keyTable_[slot]; slot = slot + 1 == keyTable_.size() ? 0 : slot + 1) {
        const uint32_t entry = keyTable_[slot];
        if ((entry & ~offsetMask) != tag) continue;
        const uint32_t line = (entry & offsetMask) - 1;
        if (line > s.header && line < s.end && SameTextSjis(KeyName(line), key)) return line;
    }
    if (freeSlot) *freeSlot = slot;
    return std::nullopt;
}

std::string IniDocument::Encode(std::string_view sjis) const {
    if (!utf16_) return std::string(sjis);
    return TrySjisToUtf16Le(sjis).value_or(std::string());
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key,
                                            bool* cut) const {
    if (cut) *cut = false;
    section = Trim(section);
    key = Trim(key);
    if (const auto s = FindSection(section)) {
        if (const auto k = FindKey(*s, key, KeyHash(*s, key))) {
            if (const auto r = replaced_.find(*k); r != replaced_.end()) return ValueOf(r->second, cut);
            const std::string_view line = TextFrom(*k);  // a key has no "=" in its name
            return ValueOf(line.substr(line.find('=') + 1), cut);
        }
        if (const auto ins = inserted_.find(*s); ins != inserted_.end())
            if (const Added* a = Named(ins->second, key, &Added::key)) return ValueOf(a->value, cut);
        return std::nullopt;
    }
    if (const NewSection* n = Named(appended_, section, &NewSection::name))
        if (const Added* a = Named(n->keys, key, &Added::key)) return ValueOf(a->value, cut);
    return std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (Contains(section, kBreaks) || Contains(key, kBreaks) || Contains(value, kBreaks))
        return false;
    const std::string_view sectionName = Trim(section), keyName = Trim(key);
    if (sectionName.empty() || keyName.empty()) return false;
    // The lines as they would be written must read back as the same names.
    const std::string header = std::string("[").append(section).append("]");
    const std::string line = std::string(key).append("=").append(value);
    const LineInfo h = Classify(header, 0), k = Classify(line, 0);
    if (h.kind != Kind::Header || h.name != sectionName || k.kind != Kind::Key || k.name != keyName)
        return false;
    if (utf16_ && (!TrySjisToUtf16Le(header) || !TrySjisToUtf16Le(line))) return false;

    const auto put = [&](std::vector<Added>& keys) {
        if (Added* a = Named(keys, keyName, &Added::key)) a->value.assign(value);
        else keys.push_back({std::string(key), std::string(value)});
        return true;
    };
    if (const auto s = FindSection(sectionName)) {
        if (const auto line = FindKey(*s, keyName, KeyHash(*s, keyName))) {
            replaced_[*line].assign(value);
            return true;
        }
        return put(inserted_[*s]);
    }
    if (NewSection* n = Named(appended_, sectionName, &NewSection::name)) return put(n->keys);
    appended_.push_back({std::string(section), {{std::string(key), std::string(value)}}});
    return true;
}

std::size_t IniDocument::SerializedSize() const {
    std::size_t extra = 0;
    for (const auto& [line, value] : replaced_) extra += value.size() + 1;
    for (const auto& [s, keys] : inserted_)
        for (const Added& a : keys) extra += a.key.size() + a.value.size() + 4;
    for (const NewSection& n : appended_) {
        extra += n.name.size() + 4;
        for (const Added& a : n.keys) extra += a.key.size() + a.value.size() + 4;
    }
    return bytes_.size() + (utf16_ ? 2 * extra : extra);
}

std::string IniDocument::Serialize() const {
    const std::string eol = Encode(eol_);
    std::string out;
    out.reserve(SerializedSize());

    // Insertions in the order of their places in the text.
    std::vector<std::pair<uint32_t, const std::vector<Added>*>> inserts;
    inserts.reserve(inserted_.size());
    for (const auto& [s, keys] : inserted_) inserts.emplace_back(sections_[s].insertAt, &keys);
    std::sort(inserts.begin(), inserts.end());
    auto insert = inserts.begin();
    auto replace = replaced_.begin();

    bool terminated = endsWithBreak_;
    const auto putKey = [&](const Added& a) {
        out.append(Encode(std::string(a.key).append("=").append(a.value))).append(eol);
    };
    const auto insertAt = [&](std::size_t at, bool atEnd) {
        for (; insert != inserts.end() && insert->first == at; ++insert) {
            if (atEnd && !terminated) out.append(eol);
            terminated = terminated || atEnd;
            for (const Added& a : *insert->second) putKey(a);
        }
    };
    const auto replaceAt = [&](uint32_t at, std::string_view lineText) {
        const LineInfo info = Classify(lineText, at == 0 && !utf16_ ? bom_ : 0);
        const std::size_t nameEnd = static_cast<std::size_t>(info.name.data() + info.name.size() - lineText.data());
        out.append(Encode(std::string(lineText.substr(0, nameEnd)).append("=").append(replace->second)));
        ++replace;
    };

    const std::string_view all(bytes_);
    if (utf16_) out.append(all.substr(0, bom_));
    if (!utf16_) {
        std::size_t cursor = 0;
        while (insert != inserts.end() || replace != replaced_.end()) {
            const bool replacing = replace != replaced_.end() &&
                                   (insert == inserts.end() || replace->first < insert->first);
            const uint32_t at = replacing ? replace->first : insert->first;
            out.append(all.substr(cursor, at - cursor));
            cursor = at;
            if (replacing) {
                const std::string_view lineText = TextFrom(at);
                replaceAt(at, lineText);
                cursor = at + lineText.size();
            } else {
                insertAt(at, at == textEnd_);
            }
        }
        out.append(all.substr(cursor, textEnd_ - cursor));
    } else {
        // Walk the file and its Shift-JIS image line by line together.
        const std::string_view text = all.substr(bom_, textEnd_ - bom_);
        std::size_t t = 0;
        ForEachUtf16Line(text, [&](std::size_t b, std::size_t e, std::size_t eol16) {
            insertAt(t, false);
            const std::string_view lineText = TextFrom(static_cast<uint32_t>(t));
            if (replace != replaced_.end() && replace->first == t) {
                replaceAt(static_cast<uint32_t>(t), lineText);
                out.append(text.substr(e, eol16));
            } else {
                out.append(text.substr(b, e + eol16 - b));
            }
            t += lineText.size() + 1;
        });
        insertAt(t, true);
    }
    for (const NewSection& n : appended_) {
        if (!terminated) out.append(eol);
        terminated = true;
        out.append(Encode(std::string("[").append(n.name).append("]"))).append(eol);
        for (const Added& a : n.keys) putKey(a);
    }
    out.append(all.substr(textEnd_));
    return out;
}

}  // namespace tw
