// Being written: the Win32 side of this part of gdi.
