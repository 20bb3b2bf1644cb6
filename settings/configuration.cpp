#include "settings/configuration.h"

// Placeholder until the configuration file lands.
const char* const kSaveFailedMessage =
    "ERROR - Save failed !\r\n\r\nNot able to save your configuration.\r\nThe destination directory is probably write protected.";

void applyConfigurationText(std::string_view, CalcState&, const ConfigurationCommandHandler&) {}
bool loadConfiguration(const std::filesystem::path&, CalcState&, const ConfigurationCommandHandler&) { return false; }
std::string configurationText(const CalcState&, const ViewFlags&) { return {}; }
bool saveConfiguration(const std::filesystem::path&, const CalcState&, const ViewFlags&) { return false; }
