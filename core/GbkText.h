#pragma once
// The survey core's GBK texts use the one converter of the shell layer.
#include "platform/shell/GbkCodec.h"
