#include "platform/WorkDir.h"

QString g_workDir;
