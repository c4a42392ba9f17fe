#include "mdlDevData.h"

#include "mdlLinkSeams.h"

TDevData::TDevData() : OptionValue(static_cast<uint8_t>(LinkConstVar(13)))
{
}
