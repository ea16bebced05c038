// Puts a text box into text editing: the user types into it at once.
#pragma once

class CComponent;

class CEditTextHelper
{
public:
    // False when the component is no text box or is locked.
    bool startEditText(CComponent* pComponent);
};
