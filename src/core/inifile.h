// The text of one initialisation file, parsed so that single keys can be
// read and written while every other byte of the file stays as it was.
//
// The file's bytes are kept in one buffer; only section headers and keys are
// indexed, by offset, in hash tables. Edits are kept beside the buffer and
// spliced in when the file is serialised, so the memory for a file is a small
// multiple of its size and blank or plain lines cost nothing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

inline constexpr std::size_t kMaxProfileValue = 2047;

class IniDocument {
public:
    IniDocument() = default;  // an empty, new file
    // Shift-JIS text, or UTF-16 LE text after its byte-order mark FF FE.
    // Line ends are CR LF, LF or CR alone.
    explicit IniDocument(std::string&& bytes);
    explicit IniDocument(std::string_view bytes) : IniDocument(std::string(bytes)) {}
    explicit IniDocument(const char* bytes) : IniDocument(std::string(bytes)) {}

    // The value of [section] key: blanks around it and one pair of enclosing
    // quotes dropped, cut to 2047 bytes (on a character boundary) and ending
    // at its first NUL byte. nullopt when section or key is absent. `cut`,
    // when given, tells whether the value was cut for being too long.
    std::optional<std::string> Get(std::string_view section, std::string_view key,
                                   bool* cut = nullptr) const;

    // Sets [section] key = value. An existing key keeps its place; a new key
    // goes after the last line of its section, a new section at the end.
    // False, and nothing changed, for names or values that would break the
    // file's structure (line breaks, NUL, "]" in a section, "=" in a key), or
    // that the file's encoding cannot hold.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;

private:
    struct Section {
        uint32_t header;    // offset of the header line in the text
        uint32_t end;       // offset of the next header line, or the end of the text
        uint32_t insertAt;  // offset after its last line that is not blank
        uint32_t name, nameLength;
    };
    struct Added {
        std::string key, value;
    };
    struct NewSection {
        std::string name;
        std::vector<Added> keys;
    };

    void Index();
    std::string_view TextFrom(uint32_t offset) const;
    std::string_view KeyName(uint32_t line) const;
    std::optional<uint32_t> FindSection(std::string_view name) const;
    std::optional<uint32_t> FindKey(uint32_t section, std::string_view key, uint32_t hash,
                                    std::size_t* freeSlot = nullptr) const;
    static uint32_t KeyHash(uint32_t section, std::string_view key);
    uint32_t Tag(uint32_t hash) const;
    std::string_view Text() const;
    std::string Encode(std::string_view sjis) const;
    // What Serialize will need, to reserve it at once.
    std::size_t SerializedSize() const;

    std::string bytes_;        // the file as read
    std::string utf16Text_;    // Shift-JIS of the indexed lines of a UTF-16 file
    bool utf16_ = false;
    std::size_t bom_ = 0;      // bytes of a byte-order mark before the first line
    std::size_t textEnd_ = 0;  // end of the lines in bytes_ (a UTF-16 file may have a stray byte)
    std::string_view eol_ = "\r\n";  // the file's own line end, in Shift-JIS
    bool endsWithBreak_ = true;      // false when the last line has no line end

    std::vector<Section> sections_;  // first occurrences only
    std::vector<uint32_t> sectionTable_;  // hash table: section + 1, 0 free
    std::vector<uint32_t> keyTable_;      // hash table: tag, key line + 1; 0 free
    unsigned offsetBits_ = 32;

    std::map<uint32_t, std::string> replaced_;         // key line -> new value
    std::map<uint32_t, std::vector<Added>> inserted_;  // section -> keys added to it
    std::vector<NewSection> appended_;
};

}  // namespace tw
