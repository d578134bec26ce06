#include "art.h"

namespace tarrabel::art {

bool MakeSounds(const std::string&, std::string* error) {
    if (error) *error = "the sounds are not made yet";
    return false;
}

}  // namespace tarrabel::art
