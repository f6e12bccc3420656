// The text of one initialisation file, parsed so that single keys can be
// read and written while every other byte of the file stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr std::size_t kMaxProfileValue = 2047;

class IniDocument {
public:
    IniDocument() = default;  // an empty, new file
    explicit IniDocument(std::string_view bytes);

    // The value of [section] key: blanks around it and one pair of enclosing
    // quotes dropped, cut to 2047 bytes. nullopt when section or key is absent.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Sets [section] key = value. An existing key keeps its place; a new key
    // goes after the last line of its section, a new section at the end.
    // False, and nothing changed, for names or values that would break the
    // file's structure (line breaks, NUL, "]" in a section, "=" in a key).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

private:
    enum class Kind : unsigned char { Other, Section, Key };
    struct Line {
        std::string text;  // without the line break
        std::string_view eol;  // "\r\n", "\n" or "" for a last line without one
        Kind kind = Kind::Other;
        unsigned nameBegin = 0, nameEnd = 0;    // section or key name
        unsigned valueBegin = 0, valueEnd = 0;  // key value, trimmed
        std::string folded;  // the name with ASCII letters in lower case
    };
    struct Section {
        std::size_t header;  // index of the header line
        std::size_t end;     // one past its last line
    };

    static void Classify(Line& line, std::size_t skip);
    void IndexSections();
    const Section* FindSection(std::string_view name) const;
    std::optional<std::size_t> FindKey(const Section& s, std::string_view key) const;
    std::string_view Name(const Line& l) const {
        return std::string_view(l.text).substr(l.nameBegin, l.nameEnd - l.nameBegin);
    }

    std::vector<Line> lines_;
    std::vector<Section> sections_;
    std::string_view eol_ = "\r\n";  // the file's own line ending
    std::size_t bom_ = 0;       // bytes of a UTF-8 byte-order mark on the first line
};

}  // namespace tw
