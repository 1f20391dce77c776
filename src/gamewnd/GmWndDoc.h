#pragma once
// CGmWndDoc: the game window's document. It holds nothing; a new one is
// simply accepted.
#include "framework/DocView.h"

class CGmWndDoc : public CDocument {};
