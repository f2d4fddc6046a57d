// SPDX-License-Identifier: MIT
// The program's dialog templates and its icon (named in res/resource_ids.h),
// as the table the framework reads them from (AfxSetResources).
#pragma once

#include "framework/resource.h"

const ResourceTable& QuillpostResources();
