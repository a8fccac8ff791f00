#pragma once

// The control classes of every dialog.

#include "gui/ui/mycheckbox.h"
#include "gui/ui/mycombobox.h"
#include "gui/ui/mylistbox.h"
#include "gui/ui/mymultilineedit.h"
#include "gui/ui/mypushbutton.h"
#include "gui/ui/myradiobutton.h"
#include "gui/ui/myradiobuttongroup.h"
#include "gui/ui/mysinglelineedit.h"

#include <QGroupBox>
#include <QLabel>
