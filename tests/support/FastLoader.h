#pragma once

#include "BootLoader.h"

// The boot loader of a fast line, so that a full image goes through in a moment.
inline LoaderSettings fastLoader()
{
    LoaderSettings s;
    s.baud = 1000000;
    s.blockProgramUs = 100;
    return s;
}
