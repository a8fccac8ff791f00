#pragma once

// The control classes of every dialog.

#include "ui/mycheckbox.h"
#include "ui/mycombobox.h"
#include "ui/mylistbox.h"
#include "ui/mymultilineedit.h"
#include "ui/mypushbutton.h"
#include "ui/myradiobutton.h"
#include "ui/myradiobuttongroup.h"
#include "ui/mysinglelineedit.h"

#include <QGroupBox>
#include <QLabel>
