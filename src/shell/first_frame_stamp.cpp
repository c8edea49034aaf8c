#include "shell/first_frame_stamp.h"
#include <cstdio>
#include <ctime>

void stampFirstFrame()
{
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "first frame %lld.%09ld\n", static_cast<long long>(now.tv_sec),
                 now.tv_nsec);
}
