#include "fakes.h"

namespace tw::test {

void TestRig::WriteFile(const std::string& name, const std::string& utf8) const {
    std::string crlf;
    for (char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    Spit(temp.File(name), Utf8ToSjis(crlf));
}

}  // namespace tw::test
