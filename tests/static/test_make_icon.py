#!/usr/bin/env python3
"""test_make_icon.py: the icon generator turns pictures into the pixels Windows will show, rejects
malformed pictures with a precise position, and the button pictures fit their buttons."""
import contextlib
import io
import os
import struct
import sys
import tempfile
import unittest

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "resources")
sys.path.insert(0, RESOURCES)
import make_icon  # noqa: E402


def decode_icon(data):
    """[(size, pixel(x, y) -> palette index or None)] read back the way Windows reads an .ico."""
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    assert kind == 1
    images = []
    for i in range(count):
        width, height, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        assert (width, colours, planes, bits) == (height, 16, 1, 4)
        header_size, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", data, offset)
        assert (header_size, dib_width, dib_height, dib_bits) == (40, width, 2 * width, 4)
        assert offset + length <= len(data)
        colour_at = offset + 40 + 16 * 4
        colour_stride = (width * 4 + 31) // 32 * 4
        mask_at = colour_at + colour_stride * width
        mask_stride = (width + 31) // 32 * 4

        def pixel(x, y, size=width, c=colour_at, cs=colour_stride, m=mask_at, ms=mask_stride):
            row = size - 1 - y  # rows are stored bottom-up
            if data[m + row * ms + x // 8] & (0x80 >> (x % 8)):
                return None
            byte = data[c + row * cs + x // 2]
            return byte >> 4 if x % 2 == 0 else byte & 0x0F

        images.append((width, pixel))
    return images


def temporary_folder(test):
    folder = tempfile.TemporaryDirectory()
    test.addCleanup(folder.cleanup)
    return folder.name


def write_picture(folder, name, rows, comment="# a picture\n"):
    path = os.path.join(folder, name)
    with open(path, "w", encoding="ascii") as target:
        target.write(comment + "\n".join(rows) + "\n")
    return path


def visible_box(rows):
    """(left, top, right, bottom) of the non-transparent pixels."""
    points = [(x, y) for y, row in enumerate(rows) for x, index in enumerate(row) if index is not None]
    xs, ys = [x for x, _ in points], [y for _, y in points]
    return min(xs), min(ys), max(xs), max(ys)


class EncodingTest(unittest.TestCase):
    def setUp(self):
        self.folder = temporary_folder(self)

    def test_pixels_keep_their_place_colour_and_transparency(self):
        rows = ["." * 16 for _ in range(16)]
        rows[0] = "K" + "." * 14 + "W"
        rows[15] = "R" + "." * 13 + "bG"
        path = write_picture(self.folder, "corners.txt", rows)
        [(size, pixel)] = decode_icon(make_icon.encode_icon([make_icon.read_picture(path)]))
        self.assertEqual(size, 16)
        self.assertEqual([pixel(0, 0), pixel(15, 0), pixel(0, 15), pixel(14, 15), pixel(15, 15)],
                         [0, 15, 9, 4, 10])
        self.assertIsNone(pixel(1, 0))
        self.assertIsNone(pixel(8, 8))

    def test_several_pictures_make_one_icon_with_one_image_each(self):
        big = write_picture(self.folder, "big.txt", ["B" * 32] * 32)
        small = write_picture(self.folder, "small.txt", ["." * 16] * 15 + ["Y" * 16])
        images = decode_icon(make_icon.encode_icon([make_icon.read_picture(big), make_icon.read_picture(small)]))
        self.assertEqual([size for size, _ in images], [32, 16])
        self.assertEqual(images[0][1](31, 31), 12)
        self.assertEqual(images[1][1](3, 15), 11)
        self.assertIsNone(images[1][1](3, 14))

    def test_the_command_writes_the_file_and_reports_bad_input(self):
        good = write_picture(self.folder, "good.txt", ["s" * 16] * 16)
        target = os.path.join(self.folder, "out.ico")
        self.assertEqual(make_icon.main(["make_icon.py", target, good]), 0)
        with open(target, "rb") as written:
            self.assertEqual(decode_icon(written.read())[0][1](5, 5), 7)
        bad = write_picture(self.folder, "bad.txt", ["s" * 16] * 15 + ["s" * 15 + "?"])
        with contextlib.redirect_stderr(io.StringIO()) as complaint:
            self.assertEqual(make_icon.main(["make_icon.py", target + "2", bad]), 1)
        self.assertIn("bad.txt:17:16", complaint.getvalue())
        self.assertFalse(os.path.exists(target + "2"))


class MalformedPictureTest(unittest.TestCase):
    def setUp(self):
        self.folder = temporary_folder(self)

    def rejection(self, rows):
        path = write_picture(self.folder, "picture.txt", rows, comment="# comment line\n\n")
        with self.assertRaises(make_icon.PictureError) as caught:
            make_icon.read_picture(path)
        return str(caught.exception)

    def test_unknown_character_is_named_with_line_and_column(self):
        rows = ["." * 16] * 16
        rows[2] = "." * 5 + "x" + "." * 10
        self.assertRegex(self.rejection(rows), r"picture\.txt:5:6: 'x' is not a palette character")

    def test_ragged_row_is_named(self):
        rows = ["." * 16] * 16
        rows[4] = "." * 15
        self.assertRegex(self.rejection(rows), r"picture\.txt:7: row has 15 pixels, the first row 16")

    def test_non_square_and_odd_sizes_are_refused(self):
        self.assertIn("16x15", self.rejection(["." * 16] * 15))
        self.assertIn("20x20", self.rejection(["." * 20] * 20))


def button_picture(name):
    return make_icon.read_picture(os.path.join(RESOURCES, "icons", name))


class ButtonPictureTest(unittest.TestCase):
    """The buttons draw a 32-pixel icon bigger than themselves and clip it; what matters must
    stay inside the part each button shows."""

    def test_arrows_fit_the_small_arrow_buttons(self):
        # A 16 x 10 unit button is about 24 x 16 pixels; it centres the icon.
        for name in ("move_up.32.txt", "move_down.32.txt"):
            left, top, right, bottom = visible_box(button_picture(name))
            self.assertGreaterEqual(left, 4, name)
            self.assertLessEqual(right, 27, name)
            self.assertGreaterEqual(top, 9, name)
            self.assertLessEqual(bottom, 22, name)

    def test_up_and_down_are_mirror_images(self):
        self.assertEqual(button_picture("move_up.32.txt")[::-1], button_picture("move_down.32.txt"))

    def test_signs_fit_beside_the_three_pixel_indent(self):
        # The "+" and "-" buttons (27 to 32 pixels wide) draw the icon 3 pixels in.
        for name in ("add_where.32.txt", "remove_where.32.txt"):
            left, top, right, bottom = visible_box(button_picture(name))
            self.assertGreaterEqual(left, 1, name)
            self.assertLessEqual(right, 22, name)
            self.assertGreaterEqual(top, 4, name)
            self.assertLessEqual(bottom, 27, name)

    def test_every_button_picture_reads_and_encodes(self):
        for name in sorted(os.listdir(os.path.join(RESOURCES, "icons"))):
            rows = button_picture(name)
            expected = 16 if ".16." in name else 32
            self.assertEqual(len(rows), expected, name)
            [(size, _)] = decode_icon(make_icon.encode_icon([rows]))
            self.assertEqual(size, expected, name)


if __name__ == "__main__":
    unittest.main()
