"""The view geometry and picture names the wall-set tools share: which map square each piece
stands for, where it lands in the 224 x 136 view, and where its pixels come from."""

# name, lateral, forward, alternate, left, top, right, bottom, source x, source y, slot, mirrored
TABLE = [
    ("D3LL", -2, 3, -1, 0, 25, 15, 73, 0, 0, 5, False),
    ("D3RR", 2, 3, -1, 208, 25, 223, 73, 0, 0, 5, True),
    ("D3L", -1, 3, 3, 0, 25, 83, 75, 32, 0, 4, False),
    ("D3R", 1, 3, 2, 139, 25, 223, 75, 0, 0, 4, False),
    ("D3", 0, 3, 4, 74, 25, 149, 75, 18, 0, 4, False),
    ("D2L", -1, 2, 6, 0, 20, 74, 90, 61, 0, 3, False),
    ("D2R", 1, 2, 5, 149, 20, 223, 90, 0, 0, 3, False),
    ("D2", 0, 2, 7, 60, 20, 163, 90, 16, 0, 3, False),
    ("D1L", -1, 1, 9, 0, 9, 63, 119, 192, 0, 2, False),
    ("D1R", 1, 1, 8, 160, 9, 223, 119, 0, 0, 2, False),
    ("D1", 0, 1, 10, 32, 9, 191, 119, 48, 0, 2, False),
    ("D0L", -1, 0, 12, 0, 0, 31, 135, 0, 0, 1, False),
    ("D0R", 1, 0, 11, 192, 0, 223, 135, 0, 0, 0, False),
    ("D0", 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, False),
]
DX = (0, 1, 0, -1)
DY = (-1, 0, 1, 0)
FILE_NAMES = [
    "0084 [Dungeon Graphics - Wall (Right Side 0)] .bmp",
    "0085 [Dungeon Graphics - Wall (Left Side 0)] .bmp",
    "0086 [Dungeon Graphics - Wall (Front and Sides 1)] .bmp",
    "0087 [Dungeon Graphics - Wall (Front and Sides 2)] .bmp",
    "0088 [Dungeon Graphics - Wall (Front and Sides 3)] .bmp",
    "0089 [Dungeon Graphics - Wall (Far Left Side 3)] .bmp",
]
