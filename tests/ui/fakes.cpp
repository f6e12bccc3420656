#include "fakes.h"

#include <fstream>
#include <sstream>

namespace tw::test {

void TestRig::WriteFile(const std::string& name, const std::string& utf8) const {
    std::string crlf;
    for (char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    std::ofstream(dir / name, std::ios::binary) << Utf8ToSjis(crlf);
}

std::string TestRig::ReadFile(const std::string& name) const {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace tw::test
