#pragma once

#include <string>

#include "skin/TsSkinModel.h"

// The loaded model as one JSON object: skinData, master, sections, masks, externalImages.
// Colours are decimal integers as the options text writes them (system colours negative).
std::string ModelToJson(const TsSkinModel& model);
