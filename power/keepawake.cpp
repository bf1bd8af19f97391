#include "power/keepawake.h"

#include "state/appstate.h"
#include "syscalls/seam.h"

namespace {

void request(bool awake)
{
    if (g_app.keepingAwake == (awake ? 1 : 0))
        return;
    g_app.keepingAwake = awake ? 1 : 0;
    seamKeepSystemAwake(awake ? TRUE : FALSE);
}

} // namespace

void keepAwakeWhileArmed()
{
    request(!g_app.ending && (g_app.running || g_app.monitorActive || g_app.acting));
}

void giveBackKeepAwake()
{
    request(false);
}
