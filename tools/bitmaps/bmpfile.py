"""Writers for Windows BMP (8-bit palette, 24-bit) and monochrome CUR files, by hand."""

import struct

_FILE_HEADER = struct.Struct("<2sIHHI")
_INFO_HEADER = struct.Struct("<IiiHHIIiiII")


def _rows_bottom_up(canvas):
    return reversed(canvas.pixels)


def _info_header(width, height, bits, image_size, colours_used):
    return _INFO_HEADER.pack(40, width, height, 1, bits, 0, image_size, 2835, 2835,
                             colours_used, 0)


def _file(pixel_offset, body):
    return _FILE_HEADER.pack(b"BM", _FILE_HEADER.size + len(body), 0, 0, pixel_offset) + body


def encode_bmp8(canvas):
    """8 bits per pixel with the canvas's own colours as palette (at most 256 of them)."""
    palette = sorted(canvas.colours())
    if len(palette) > 256:
        raise ValueError("%d colours do not fit an 8-bit palette" % len(palette))
    index = {c: i for i, c in enumerate(palette)}
    stride = (canvas.width + 3) & ~3
    pixels = bytearray()
    for row in _rows_bottom_up(canvas):
        line = bytes(index[c] for c in row)
        pixels += line + b"\0" * (stride - len(line))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    header = _info_header(canvas.width, canvas.height, 8, len(pixels), len(palette))
    return _file(14 + len(header) + len(table), header + table + bytes(pixels))


def encode_bmp24(canvas):
    stride = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in _rows_bottom_up(canvas):
        line = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row)
        pixels += line + b"\0" * (stride - len(line))
    header = _info_header(canvas.width, canvas.height, 24, len(pixels), 0)
    return _file(14 + len(header), header + bytes(pixels))


def _mask_rows(width, height, bit_of):
    """1-bit rows, bottom-up, each padded to 32 bits."""
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        line = bytearray(stride)
        for x in range(width):
            if bit_of(x, y):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def encode_cursor(rows, hotspot):
    """A monochrome cursor from rows of '#' (black), 'o' (white) and anything else (transparent)."""
    height = len(rows)
    width = max(len(r) for r in rows)
    if (width, height) != (32, 32):
        raise ValueError("cursor must be 32 x 32")

    def at(x, y):
        return rows[y][x] if x < len(rows[y]) else "."

    xor = _mask_rows(width, height, lambda x, y: at(x, y) == "o")
    and_mask = _mask_rows(width, height, lambda x, y: at(x, y) not in "#o")
    table = struct.pack("<BBBB", 0, 0, 0, 0) + struct.pack("<BBBB", 255, 255, 255, 0)
    # The height of an icon or cursor image counts both masks.
    image = _info_header(width, height * 2, 1, len(xor) + len(and_mask), 2) + table + xor + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", width, height, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def decode_bmp(data):
    """Reads back what the encoders write (8 or 24 bits, bottom-up): (width, height, bits, rows)."""
    _, _, _, _, offset = _FILE_HEADER.unpack_from(data, 0)
    (_, width, height, _, bits, _, _, _, _, used, _) = _INFO_HEADER.unpack_from(data, 14)
    palette = []
    if bits == 8:
        base = 14 + 40
        for i in range(used or 256):
            b, g, r, _ = struct.unpack_from("<BBBB", data, base + 4 * i)
            palette.append((r, g, b))
    stride = ((width * bits // 8) + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        if bits == 8:
            rows.append([palette[data[start + x]] for x in range(width)])
        else:
            rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x])
                         for x in range(width)])
    return width, height, bits, rows
