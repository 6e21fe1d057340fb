#include "RecordingView.h"

QStringList RecordingView::log;
