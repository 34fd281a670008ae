// Records every utils::seriousError report for the life of one test instead
// of showing a box; the sink that was installed before comes back after it.
#pragma once

#include <string>
#include <vector>

#include "engine/core/utilsErrors.h"

namespace testsupport {

class SeriousErrorRecorder {
public:
    struct Report {
        std::string text;
        std::string title;
    };

    SeriousErrorRecorder();
    ~SeriousErrorRecorder();
    SeriousErrorRecorder(const SeriousErrorRecorder&) = delete;
    SeriousErrorRecorder& operator=(const SeriousErrorRecorder&) = delete;

    const std::vector<Report>& reports() const { return reports_; }
    // The texts alone, in order.
    std::vector<std::string> texts() const;

private:
    std::vector<Report> reports_;
    utils::SeriousErrorSink previous_;
};

}  // namespace testsupport
