"""card.exe's control and template ids, read from the #define lines of its resource header (the
one card.rc and the C++ code include), so that no test retypes them. Each #define is an
attribute of this module under the header's own name:

    from resource_ids import IDC_MAKE_NEW_CARD, IDOK

The header's path comes from CARD_RESOURCE_HEADER, which ctest sets.
"""

import os
import re

# Ids Windows itself gives: Repeat and Close on the card window, OK and Cancel in the dialogs,
# and the static that holds a message box's text.
IDOK, IDCANCEL = 1, 2
MESSAGE_BOX_TEXT = 0xFFFF

_DEFINE = re.compile(r"\s*#\s*define\s+(\w+)\s+(\d+)\s*(?:/[*/].*)?$")


def read_defines(path):
    """{name: number} of the header's #define lines whose value is a decimal number."""
    defines = {}
    with open(path) as f:
        for line in f:
            match = _DEFINE.match(line)
            if match:
                defines[match.group(1)] = int(match.group(2))
    return defines


def _header():
    path = os.environ.get("CARD_RESOURCE_HEADER")
    if not path:
        raise ImportError("CARD_RESOURCE_HEADER does not name card.exe's resource.h")
    return path


_IDS = read_defines(_header())


def __getattr__(name):
    if name in _IDS:
        return _IDS[name]
    raise AttributeError("%s defines no %s" % (_header(), name))
