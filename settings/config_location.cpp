#include "settings/config_location.h"

// Placeholder until the configuration file lands.
std::filesystem::path configurationFilePath() { return "mvn.cfg"; }
