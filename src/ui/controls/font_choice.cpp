#include "ui/controls/font_choice.h"

FontChoice chooseFonts(double heightValue, double widthValue, double differenceValue)
{
    FontChoice choice;
    choice.height = static_cast<int>(heightValue);
    choice.width = static_cast<int>(widthValue);
    choice.differenceValue = heightValue > differenceValue ? differenceValue : choice.height - 1;
    choice.differenceMaximum = choice.height - 1;
    choice.difference = static_cast<int>(choice.differenceValue);
    return choice;
}
