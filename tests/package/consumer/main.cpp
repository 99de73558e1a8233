#include "core/qv.String.h"

#include <cstdio>

int main()
{
    const qv::String text(u8"héllo");
    std::printf("consumer: qv.core %zu code points\n", text.length());
    return text.length() == 5 ? 0 : 1;
}
