// Where the "System options" dialog reads and writes in the running
// program: the editor's settings (tbOptions), the engine's options, the
// engine window and the renderer's clear colour. Engine parts that do not
// exist yet (before start-up has made them) are left alone.
#pragma once

#include "app/shell/CDlgOptionsModel.h"

class tbOptions;

class tbOptionsTarget : public shell::OptionsTarget {
public:
    explicit tbOptionsTarget(tbOptions& options) : options_(options) {}

    bool storedAntialiasing() const override;
    simColour storedBackground() const override;
    void storeAntialiasing(bool on) override;
    void storeBackground(const simColour& colour) override;
    void setWindowAntialiasing(bool on) override;
    void setClearColour(uint32_t argb) override;
    void applyWindowChanges() override;

private:
    tbOptions& options_;
};
