// libFuzzer target: the RTF reader must end on any input, with text and colours in step.
#include "platform/rtfreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const RtfDocument doc
        = RtfReader::read(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (doc.colours.size() != doc.text.size())
        std::abort();
    return 0;
}
