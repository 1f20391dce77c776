#include "mainwnd/AccountMuteRules.h"

int PageMuteValue(int windowMute, bool accountMuted) { return windowMute != 0 || accountMuted ? 1 : 0; }
