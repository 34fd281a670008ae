// The whole engine's system links in one call.
//
// Each engine system fills its own group of `simSystemLinks` (see
// simSystemLinks.h). A host that runs the real engine calls
// `simLinkEngineSystems` once, before it makes its application, and then
// creates its systems as usual; it also makes the scene through the graphics
// system's scene factory. Tests that want fakes fill the links one system at
// a time instead.
#pragma once

struct simSystemLinks;

void simLinkEngineSystems(simSystemLinks& links);
