// The program's dialog templates (102 the entry form, 130 the language
// choice, 133 an unused list dialog, 134 the route file chooser) and its icon
// 128, as the table the framework reads them from (AfxSetResources).
#pragma once

#include "framework/resource.h"

const ResourceTable& QuillpostResources();
