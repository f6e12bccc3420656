// One round of the parser and the whole-number conversion on arbitrary bytes:
// nothing may crash, and what is written must read back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/inifile.h"
#include "core/text.h"

namespace tw {

inline void FuzzOne(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)TryStrToInt(bytes);
    (void)TrySjisToUtf8(bytes);
    (void)ExtractFilePath(bytes, kWindowsSeparators);

    IniDocument doc(bytes);
    (void)doc.Get("Window", "Size");
    (void)doc.Get("Data", "File");
    const std::string before = doc.Serialize();
    if (before != bytes) std::abort();  // parsing keeps every byte

    // Use a piece of the input as a value and check that it reads back.
    std::string value(bytes.substr(0, 64));
    for (char& c : value)
        if (c == '\r' || c == '\n' || c == '\0') c = '_';
    if (doc.Set("Window", "Size", value)) {
        const IniDocument again(doc.Serialize());
        const auto got = again.Get("Window", "Size");
        if (!got) std::abort();
        if (auto n = TryStrToInt(value)) {
            if (TryStrToInt(*got) != n && value.find_first_of(" \t\v\f\"'") == std::string::npos)
                std::abort();
        }
    }
}

}  // namespace tw
