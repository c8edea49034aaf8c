"""Reads the game's pictures and the driver's shots, and writes pictures again at another size
or colour depth, as uncompressed BMP files."""
import struct


def read(path):
    """(width, height, rows of (r, g, b) from the top) of a 24- or 32-bit uncompressed BMP."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    assert compression in (0, 3) and bits in (24, 32), (path, bits, compression)
    step = bits // 8
    pitch = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * pitch
        rows.append([(data[start + x * step + 2], data[start + x * step + 1], data[start + x * step])
                     for x in range(width)])
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


def rgb(path):
    """The pixels of a 24- or 32-bit BMP as rows of R, G, B bytes from the top, in one string."""
    with open(path, "rb") as file:
        data = file.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    step = bits // 8
    pitch = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * pitch:offset + y * pitch + width * step]
        pixels = bytearray(width * 3)
        pixels[0::3], pixels[1::3], pixels[2::3] = row[2::step], row[1::step], row[0::step]
        rows.append(bytes(pixels))
    if height > 0:
        rows.reverse()
    return b"".join(rows)


def resized(picture, width, height):
    """The picture stretched or squeezed to width x height, nearest pixel."""
    w, h, rows = picture
    return width, height, [[rows[y * h // height][x * w // width] for x in range(width)]
                           for y in range(height)]


def palette_for(bits):
    if bits == 8:   # three bits of red, three of green, two of blue
        return [((i >> 5) * 255 // 7, ((i >> 2) & 7) * 255 // 7, (i & 3) * 255 // 3)
                for i in range(256)]
    if bits == 4:   # black, the key blue, white and thirteen shades between
        return [(0, 0, 0), (0, 0, 255), (255, 255, 255)] + \
               [(i * 18, i * 18, i * 18) for i in range(1, 14)]
    return [(0, 0, 255), (255, 255, 255)]


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


def write(path, picture, bits=24):
    """Writes the picture at 1, 4, 8, 16, 24 or 32 bits per pixel, bottom row first."""
    width, height, rows = picture
    palette = palette_for(bits) if bits <= 8 else []
    pitch = ((width * bits + 31) // 32) * 4
    body = bytearray()
    cache = {}
    for row in reversed(rows):
        line = bytearray(pitch)
        for x, colour in enumerate(row):
            r, g, b = colour
            if bits == 32:
                line[x * 4:x * 4 + 4] = bytes((b, g, r, 0))
            elif bits == 24:
                line[x * 3:x * 3 + 3] = bytes((b, g, r))
            elif bits == 16:
                line[x * 2:x * 2 + 2] = struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
            else:
                if colour not in cache:
                    cache[colour] = nearest(palette, colour)
                index = cache[colour]
                per_byte = 8 // bits
                shift = (per_byte - 1 - x % per_byte) * bits
                line[x // per_byte] |= index << shift
        body += line
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(body), 2835, 2835,
                       len(palette), 0)
    with open(path, "wb") as file:
        file.write(header + info + table + body)
