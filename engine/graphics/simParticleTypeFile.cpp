#include "engine/graphics/simParticleTypeFile.h"

#include <algorithm>
#include <cstdlib>
#include <locale>
#include <sstream>

namespace {

// Reads the file's tokens and remembers the first failure.
class TokenReader {
public:
    explicit TokenReader(const std::string& text) : m_in(text) { m_in.imbue(std::locale::classic()); }

    bool word(std::string* out) { return static_cast<bool>(m_in >> *out); }

    // The next token as a number; on failure the problem names the keyword
    // and the token that was there (or the end of the file).
    bool number(const char* keyword, float* out, std::vector<std::string>& problems) {
        const std::streampos at = m_in.tellg();
        if (m_in >> *out) return true;
        m_in.clear();
        m_in.seekg(at);
        std::string token;
        if (m_in >> token)
            problems.push_back(std::string(keyword) + ": '" + token + "' is not a number");
        else
            problems.push_back(std::string(keyword) + ": a number is missing at the end of the file");
        return false;
    }

    bool name(const char* keyword, std::string* out, std::vector<std::string>& problems) {
        if (m_in >> *out) return true;
        problems.push_back(std::string(keyword) + ": a name is missing at the end of the file");
        return false;
    }

private:
    std::istringstream m_in;
};

float jittered(float value) {
    const int jitter = std::rand() % (2 * simParticleTypeFile::kColourJitter + 1) - simParticleTypeFile::kColourJitter;
    return std::clamp(value + static_cast<float>(jitter), 0.0f, 255.0f);
}

}  // namespace

simParticleTypeFile simParticleTypeFile::parse(const std::string& text) {
    simParticleTypeFile file;
    TokenReader in(text);
    std::vector<std::string>& problems = file.problems;

    struct Flag {
        const char* keyword;
        uint8_t simParticleTypeFile::*member;
    };
    static constexpr Flag kFlags[] = {
        {"GRAVITY", &simParticleTypeFile::gravity}, {"GLOW", &simParticleTypeFile::glow},
        {"PLANAR", &simParticleTypeFile::planar},   {"MOTIONBLUR", &simParticleTypeFile::motionBlur},
        {"LOOP", &simParticleTypeFile::loop},       {"SPIN", &simParticleTypeFile::spin},
    };
    struct Number {
        const char* keyword;
        float simParticleTypeFile::*member;
    };
    static constexpr Number kNumbers[] = {
        {"RANDOMTIMING", &simParticleTypeFile::randomTiming},
        {"TRAILWIDTH", &simParticleTypeFile::trailWidth},
        {"TRAILFADE", &simParticleTypeFile::trailFade},
        {"TRAILREFRESH", &simParticleTypeFile::trailRefresh},
        {"DECCELERATION", &simParticleTypeFile::deceleration},
    };

    std::string token;
    while (in.word(&token)) {
        if (token == kEndMarker) {
            file.sawEndMarker = true;
            break;
        }
        bool ok = true;
        bool known = false;
        for (const Flag& flag : kFlags) {
            if (token == flag.keyword) {
                file.*flag.member = 1;
                known = true;
            }
        }
        for (const Number& number : kNumbers) {
            if (token == number.keyword) {
                ok = in.number(number.keyword, &(file.*number.member), problems);
                known = true;
            }
        }
        if (known) {
            if (!ok) break;
            continue;
        }

        std::string name;
        if (token == "TEXTURE" || token == "ALTERNATETEXTURE") {
            if (!in.name(token.c_str(), &name, problems)) break;
            if (name != "NULL") (token == "TEXTURE" ? file.textures : file.alternateTextures).push_back(name);
        } else if (token == "SHADER" || token == "GEOMETRY") {
            if (!in.name(token.c_str(), &name, problems)) break;
            (token == "SHADER" ? file.shader : file.geometry) = name == "NULL" ? std::string() : name;
        } else if (token == "TRAIL") {
            if (!in.name("TRAIL", &name, problems)) break;
            file.trail = 1;
            file.trailTextures.push_back(name);
        } else if (token == "ADDFRAME") {
            float values[6];
            for (float& value : values) {
                ok = ok && in.number("ADDFRAME", &value, problems);
            }
            if (!ok) break;
            simParticleFrame frame;
            frame.time = values[0] * 1000.0f;
            frame.size = values[1];
            frame.alpha = jittered(values[2]);
            frame.red = jittered(values[3]);
            frame.green = jittered(values[4]);
            frame.blue = jittered(values[5]);
            file.frames.push_back(frame);
        }
        // Anything else is not a keyword and is skipped.
    }
    return file;
}
