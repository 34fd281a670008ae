#include "app/scheme/bars/tbToolSettingsBinding.h"

#include <algorithm>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbProject_model.h"

void tbToolSettingsBinding::add(tbToolSettingsParticipant* participant) {
    if (std::find(participants_.begin(), participants_.end(), participant) == participants_.end())
        participants_.push_back(participant);
}

void tbToolSettingsBinding::remove(tbToolSettingsParticipant* participant) {
    std::erase(participants_, participant);
}

void tbToolSettingsBinding::changed() const {
    tbToolSettings* settings = current_ ? current_() : nullptr;
    if (!settings) return;
    for (const tbToolSettingsParticipant* participant : participants_) participant->store(*settings);
}

void tbToolSettingsBinding::afterNew() const {
    for (tbToolSettingsParticipant* participant : participants_) participant->madeNew();
    changed();
}

void tbToolSettingsBinding::afterOpen() const {
    tbToolSettings* settings = current_ ? current_() : nullptr;
    if (!settings) return;
    for (tbToolSettingsParticipant* participant : participants_) participant->show(*settings);
    // A value a bar could not show (a number outside its list) is replaced
    // by what the bar shows, so the tools act on what the user sees.
    changed();
}

tbToolSettingsBinding& tbBarSettings() {
    static tbToolSettingsBinding binding([]() -> tbToolSettings* {
        tbGeometry* model = tbCurrentModel();
        return model ? &model->toolSettings : nullptr;
    });
    return binding;
}
