#pragma once

#include "core/model/KField.h"
#include "core/model/KIdCounter.h"
#include "core/model/KTabDef.h"

#include <string>
#include <vector>

// The configuration a new member file starts with, and that old files without field
// definitions are read into: two tabs, sixteen fields, three member types.
void applyDefaultConfiguration(KFieldList& fields, KTabList& tabs,
                               std::vector<std::string>& memberTypes, KIdCounter& ids);

// The member grid's column list that goes with it (profile "Settings"/"Columns", written
// through Settings::setColumns).
extern const char* const kDefaultColumnList;
