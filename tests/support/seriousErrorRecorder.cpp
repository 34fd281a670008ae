#include "tests/support/seriousErrorRecorder.h"

namespace testsupport {

SeriousErrorRecorder::SeriousErrorRecorder() {
    previous_ = utils::setSeriousErrorSink(
        [this](const std::string& text, const std::string& title) { reports_.push_back({text, title}); });
}

SeriousErrorRecorder::~SeriousErrorRecorder() { utils::setSeriousErrorSink(std::move(previous_)); }

std::vector<std::string> SeriousErrorRecorder::texts() const {
    std::vector<std::string> out;
    for (const Report& report : reports_) out.push_back(report.text);
    return out;
}

}  // namespace testsupport
