// The property entries every element understands ("flashing", "visible",
// "enabled", "colour"); widgets pass every entry here before their own keys.
#include <cstdlib>
#include <string>

#include "engine/gui/simGuiElement.h"

namespace {

// "a,r,g,b": up to four integers; an empty or missing piece counts 0.
simColour parseColour(const std::string& value) {
    int numbers[4] = {0, 0, 0, 0};
    size_t start = 0;
    for (int i = 0; i < 4 && start <= value.size(); ++i) {
        const size_t comma = value.find(',', start);
        const std::string piece = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        numbers[i] = std::atoi(piece.c_str());
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    simColour colour;
    colour.set(numbers[0], numbers[1], numbers[2], numbers[3]);
    return colour;
}

}  // namespace

void simGuiElement::readAttributes(const std::string& key, const std::string& value) {
    if (key == "flashing") {
        setFlashing(value == "true" || std::atoi(value.c_str()) == 1);
    } else if (key == "visible") {
        setVisible(value == "true");
    } else if (key == "enabled") {
        if (value == "true") {
            enable();
        } else {
            disable();
        }
    } else if (key == "colour") {
        setColour(parseColour(value));
    }
}
