#include "app/scheme/tbPixelRuns.h"

tbPixelRuns::tbPixelRuns(const std::vector<uint32_t>& pixels) : m_count(pixels.size()) {
    std::vector<uint32_t> runs;
    for (size_t i = 0; i < pixels.size();) {
        size_t end = i + 1;
        while (end < pixels.size() && pixels[end] == pixels[i] && end - i < 0xFFFFFFFFu) ++end;
        runs.push_back(uint32_t(end - i));
        runs.push_back(pixels[i]);
        // Give up as soon as the runs stop paying: the rest is kept raw.
        if (runs.size() >= pixels.size()) break;
        i = end;
    }
    m_packed = runs.size() < pixels.size();
    m_words = m_packed ? std::move(runs) : pixels;
    m_words.shrink_to_fit();
}

std::vector<uint32_t> tbPixelRuns::unpack() const {
    if (!m_packed) return m_words;
    std::vector<uint32_t> out;
    out.reserve(m_count);
    for (size_t i = 0; i + 1 < m_words.size(); i += 2) out.insert(out.end(), m_words[i], m_words[i + 1]);
    return out;
}
