#include "app/shell/tbViewWindowHost.h"

tbViewWindowHost::tbViewWindowHost(wxTopLevelWindow& topLevel)
    : m_topLevel(topLevel), m_previous(simWindowHost::installed()) {
    simWindowHost::install(this);
}

tbViewWindowHost::~tbViewWindowHost() { simWindowHost::install(m_previous); }
