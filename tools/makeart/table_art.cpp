#include "art.h"

namespace tarrabel::art {

bool MakeTableArt(const std::string&, std::string* error) {
    if (error) *error = "the table art is not made yet";
    return false;
}

}  // namespace tarrabel::art
