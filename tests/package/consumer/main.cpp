#include "Path.h"
#include "core/qv.String.h"

#include <cstdio>

int main()
{
    const qv::String text(u8"héllo");
    const qv::util::win::Path path(L"C:\\data\\report.txt", nullptr);
    std::printf("consumer: qv.core %zu code points, qv.win file %ls\n", text.length(), path.getFileName(false).GetString());
    return text.length() == 5 ? 0 : 1;
}
