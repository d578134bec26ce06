#include "art.h"

namespace tarrabel::art {

bool MakeDecks(const std::string&, const std::string&, std::string* error) {
    if (error) *error = "the decks are not made yet";
    return false;
}

}  // namespace tarrabel::art
