#pragma once

class form1;

// Close, Save and Save As on the active slot.
void CloseActiveSlot(form1 &form);
void SaveActiveSlot(form1 &form);
void SaveActiveSlotAs(form1 &form);
