#!/usr/bin/env python3
"""Draws the program's images as 16-colour Windows bitmaps and icon:
app.ico (32 x 32), logo.bmp (103 x 24, bitmap 104), pnp_logo.bmp (77 x 41, bitmap 105),
and the two logos again at 150 % and 200 % for screens of those scales
(logo_150.bmp, logo_200.bmp, pnp_logo_150.bmp, pnp_logo_200.bmp).
Run it after changing a drawing; the results are committed beside it."""
import math
import os
import struct

# The standard 16-colour palette (index: (r, g, b)).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_CYAN, LIGHT_GREY, GREY, GREEN, YELLOW, WHITE = 0, 6, 7, 8, 10, 11, 15

# A 5 x 7 font for the letters the logos use.
FONT = {
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'G': [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    'Q': [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    '3': ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '0': [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    '7': ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    'V': ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    'I': ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'p': [".....", "####.", "#...#", "#...#", "####.", "#....", "#...."],
    'l': ["##.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'u': [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    'g': [".....", ".####", "#...#", "#...#", ".####", "....#", ".###."],
    'a': [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    'y': [".....", "#...#", "#...#", "#...#", ".####", "....#", ".###."],
    '&': [".##..", "#..#.", ".##..", ".#...", "#.#.#", "#..#.", ".##.#"],
    ' ': ["...", "...", "...", "...", "...", "...", "..."],
}


def scaled(length, k):
    """A length at 100 %, at scale k, rounded half up as Windows' MulDiv rounds."""
    return int(length * k + 0.5)


class Canvas:
    """Drawn in 100 % coordinates; at scale k every length is k times longer."""
    def __init__(self, width, height, colour, k=1):
        self.k = k
        self.width, self.height = scaled(width, k), scaled(height, k)
        self.pixels = [[colour] * self.width for _ in range(self.height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        k = self.k
        for y in range(scaled(y0, k), scaled(y1, k)):
            for x in range(scaled(x0, k), scaled(x1, k)):
                self.put(x, y, colour)

    def text(self, x, y, string, colour, scale=1):
        for ch in string:
            glyph = FONT[ch]
            for gy, row in enumerate(glyph):
                for gx, cell in enumerate(row):
                    if cell == '#':
                        self.rect(x + gx * scale, y + gy * scale,
                                  x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += (len(glyph[0]) + 1) * scale
        return x

    def sine(self, x0, x1, y_mid, amplitude, periods, colour):
        k = self.k
        thickness = max(1, int(k))
        previous = None
        for x in range(scaled(x0, k), scaled(x1, k)):
            phase = (x / k - x0) / (x1 - x0)
            y = int(round(k * (y_mid - amplitude * math.sin(2 * math.pi * periods * phase))))
            top, bottom = (y, y) if previous is None else (min(previous, y), max(previous, y))
            for yy in range(top, bottom + thickness):
                self.put(x, yy, colour)
            previous = y

    def dib(self):
        """BITMAPINFOHEADER + palette + 4-bit rows, bottom-up, each row padded to 4 bytes."""
        row_bytes = ((self.width + 7) // 8) * 4
        rows = b''
        for y in reversed(range(self.height)):
            row = bytearray(row_bytes)
            for x in range(self.width):
                c = self.pixels[y][x]
                row[x // 2] |= c << 4 if x % 2 == 0 else c
            rows += bytes(row)
        header = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 4, 0, len(rows),
                             0, 0, 16, 0)
        palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
        return header, palette, rows


def write_bmp(canvas, path):
    header, palette, rows = canvas.dib()
    offset = 14 + len(header) + len(palette)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset))
        f.write(header + palette + rows)


def write_ico(canvas, path):
    header, palette, rows = canvas.dib()
    # An icon's DIB counts the AND mask in its height; the mask is all zero (opaque).
    header = header[:8] + struct.pack('<i', canvas.height * 2) + header[12:]
    mask = bytes(((canvas.width + 31) // 32) * 4 * canvas.height)
    image = header + palette + rows + mask
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, 1))
        f.write(struct.pack('<BBBBHHII', canvas.width, canvas.height, 16, 0, 1, 4, len(image), 22))
        f.write(image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))

    icon = Canvas(32, 32, DARK_CYAN)
    icon.rect(0, 0, 32, 1, BLACK); icon.rect(0, 31, 32, 32, BLACK)
    icon.rect(0, 0, 1, 32, BLACK); icon.rect(31, 0, 32, 32, BLACK)
    icon.rect(3, 16, 29, 17, GREY)
    icon.sine(3, 29, 16, 10, 1.5, WHITE)
    icon.sine(3, 29, 17, 10, 1.5, YELLOW)
    write_ico(icon, os.path.join(here, 'app.ico'))

    for k, suffix in ((1, ''), (1.5, '_150'), (2, '_200')):
        logo = Canvas(103, 24, DARK_CYAN, k)
        x = logo.text(4, 5, 'TG', WHITE, scale=2)
        logo.text(x + 4, 9, 'Q3207', BLACK)
        logo.sine(74, 100, 11, 6, 1.0, YELLOW)
        write_bmp(logo, os.path.join(here, 'logo%s.bmp' % suffix))

        pnp = Canvas(77, 41, LIGHT_GREY, k)
        pnp.rect(0, 0, 77, 1, GREY); pnp.rect(0, 40, 77, 41, GREY)
        pnp.rect(0, 0, 1, 41, GREY); pnp.rect(76, 0, 77, 41, GREY)
        pnp.text(20, 4, 'VXI', BLACK, scale=2)
        pnp.text(9, 24, 'plug&play', DARK_CYAN)
        write_bmp(pnp, os.path.join(here, 'pnp_logo%s.bmp' % suffix))


if __name__ == '__main__':
    main()
