// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace lutavo {

struct Guitar;
struct WindowControls;
struct ConfigState;

// Reads the configuration file (the user's, else the default in the program's folder) and shows
// the volume, the sound button and the lead-in it sets. A missing file is reported once and the
// values stay as they were; a file that does not start with "lutavo" is reported as invalid.
void readconfig(Guitar& g);

// Writes the user's configuration file (app.configFile), creating its folder; the old file is
// replaced only once the new one is complete. When it cannot be written the user is told and
// the result is false.
bool writeconfig(Guitar& g);

// The main window's sound button and the sound menu's check mark show the sound in use.
void showSoundInUse(ConfigState& config, WindowControls& ui);

// The user's configuration file: $XDG_CONFIG_HOME/lutavo/ltmidi32.cfg, or
// $HOME/.config/lutavo/ltmidi32.cfg; "" when neither variable gives a folder.
std::string userConfigPath();

// The file the configuration is read from: the user's file when it exists, else the one in the
// program's folder.
std::string configReadPath(const std::string& userConfig, const std::string& appFolder);

enum class ConfigFileState { Read, Missing, Invalid };

struct ConfigFileRead {
    ConfigFileState state = ConfigFileState::Read;
    // Values outside what the program can use, brought into range, in words for the user.
    std::vector<std::string> corrections;
};

// Reads the configuration file at path into c; what the file does not hold stays as c has it.
ConfigFileRead readConfigFile(const std::string& path, ConfigState& c);

// The text writeconfig writes, line by line with CR LF.
std::string configText(const ConfigState& c);

// Keeps the window's zoom in the user's configuration file, with the file's other values as
// they are there (values changed in this session without Save stay unsaved). The user is told
// when the file cannot be written.
bool saveZoomSetting(Guitar& g);

}  // namespace lutavo
