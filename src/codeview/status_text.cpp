#include "codeview/status_text.h"

#include <FL/Fl_Text_Buffer.H>

#include "ui/widgets.h"

void setStatusText(const char* text)
{
    if (statusBuffer)
        statusBuffer->text(text ? text : "");
}
