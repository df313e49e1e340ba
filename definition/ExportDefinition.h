// The last step of a conversion: both lists merged with the module name into the player's
// template, written to the chosen path. Every outcome is told to the user by a message.
#pragma once

#include "definition/ConversionSettings.h"
#include "platform/CString.h"
#include "soundfont/CSoundFont.h"

// The template file of a player kind; null for a value that names no player.
const char* TemplateFileName(int player);

// Reads the template from the folder of the running executable.
void ExportDefinition(const ConversionSettings& settings, const CSoundFont& bank, const CString& outputPath);

// The same with the templates taken from `templateDir`.
void ExportDefinition(const ConversionSettings& settings, const CSoundFont& bank, const CString& outputPath,
                      const CString& templateDir);
