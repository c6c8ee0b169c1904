"""win_resources.py: decodes the compiled resources the static checks look at: group icons and
their images, dialog templates (DIALOG and DIALOGEX), version records and manifests."""
import struct
import xml.etree.ElementTree as ElementTree

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24
DS_SETFONT = 0x40
PREDEFINED_CLASSES = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox",
                      0x84: "ScrollBar", 0x85: "ComboBox"}


class ResourceFormatError(Exception):
    pass


def _unpack(fmt, data, offset):
    if offset + struct.calcsize(fmt) > len(data):
        raise ResourceFormatError("resource data ends early")
    return struct.unpack_from(fmt, data, offset)


# ---- icons ------------------------------------------------------------------------------

def group_icon_entries(data):
    """The images a group icon lists: dicts with width, height, bit_count, icon_id."""
    _, kind, count = _unpack("<HHH", data, 0)
    if kind != 1:
        raise ResourceFormatError(f"group icon of type {kind}, not 1 (icon)")
    entries = []
    for i in range(count):
        width, height, _, _, _, bit_count, _, icon_id = _unpack("<BBBBHHIH", data, 6 + 14 * i)
        entries.append({"width": width or 256, "height": height or 256,
                        "bit_count": bit_count, "icon_id": icon_id})
    return entries


def icon_image_format(data):
    """(width, height, bits per pixel) of one RT_ICON image, as its bitmap header says."""
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        width, height = _unpack(">II", data, 16)
        return width, height, 32
    size, width, double_height, _, bit_count = _unpack("<IiiHH", data, 0)
    if size < 40:
        raise ResourceFormatError(f"icon image header of {size} bytes")
    return width, double_height // 2, bit_count


# ---- dialog templates -------------------------------------------------------------------

class DialogControl:
    def __init__(self, control_id, window_class, text, style, rect):
        self.id, self.window_class, self.text, self.style, self.rect = control_id, window_class, text, style, rect

    def __repr__(self):
        return f"{self.window_class} {self.id} {self.text!r}"


class DialogTemplate:
    def __init__(self):
        self.style = self.ex_style = 0
        self.rect = (0, 0, 0, 0)
        self.caption = ""
        self.font = None  # (point size, face name)
        self.controls = []


class _Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        values = _unpack(fmt, self.data, self.at)
        self.at += struct.calcsize(fmt)
        return values

    def align(self):
        self.at = (self.at + 3) & ~3

    def text(self):
        end = self.at
        while _unpack("<H", self.data, end)[0]:
            end += 2
        value = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return value

    def text_or_ordinal(self):
        first = _unpack("<H", self.data, self.at)[0]
        if first == 0xFFFF:
            self.at += 2
            return self.take("<H")[0]
        return self.text()


def parse_dialog(data):
    """A DialogTemplate from an RT_DIALOG resource in either the DIALOG or DIALOGEX layout."""
    reader, dialog = _Reader(data), DialogTemplate()
    extended = _unpack("<HH", data, 0) == (1, 0xFFFF)
    if extended:
        _, _, _, dialog.ex_style, dialog.style, count, *rect = reader.take("<HHIIIHhhhh")
    else:
        dialog.style, dialog.ex_style, count, *rect = reader.take("<IIHhhhh")
    dialog.rect = tuple(rect)
    reader.text_or_ordinal()  # menu
    reader.text_or_ordinal()  # window class
    dialog.caption = reader.text()
    if dialog.style & DS_SETFONT:
        points = reader.take("<H")[0]
        if extended:
            reader.take("<HBB")  # weight, italic, character set
        dialog.font = (points, reader.text())
    for _ in range(count):
        reader.align()
        if extended:
            _, ex_style, style, x, y, cx, cy, control_id = reader.take("<IIIhhhhi")
        else:
            style, ex_style, x, y, cx, cy, control_id = reader.take("<IIhhhhH")
        if control_id == 0xFFFF:
            control_id = -1  # IDC_STATIC, however wide the field that holds it
        window_class = reader.text_or_ordinal()
        window_class = PREDEFINED_CLASSES.get(window_class, window_class)
        text = reader.text_or_ordinal()
        extra = reader.take("<H")[0]
        reader.at += extra
        dialog.controls.append(DialogControl(control_id, window_class, text, style, (x, y, cx, cy)))
    return dialog


# ---- version record ---------------------------------------------------------------------

def _version_node(data, at):
    """(key, value bytes, children, end) of one node of a VS_VERSIONINFO tree."""
    length, value_length, kind = _unpack("<HHH", data, at)
    end = at + length
    reader = _Reader(data)
    reader.at = at + 6
    key = reader.text()
    reader.align()
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[reader.at:reader.at + value_size]
    reader.at += value_size
    children = []
    while True:
        reader.align()
        if reader.at >= end:
            break
        child = _version_node(data, reader.at)
        children.append(child)
        reader.at = child[3]
    return key, value, children, end


def parse_version(data):
    """(fixed info dict, {string name: text}) of an RT_VERSION resource."""
    key, value, children, _ = _version_node(data, 0)
    if key != "VS_VERSION_INFO" or len(value) < 52:
        raise ResourceFormatError("not a VS_VERSION_INFO record with fixed file information")
    (signature, _, file_ms, file_ls, product_ms, product_ls,
     _, _, _, file_type, _, _, _) = struct.unpack_from("<13I", value, 0)
    if signature != 0xFEEF04BD:
        raise ResourceFormatError("fixed file information has a wrong signature")

    def dotted(most, least):
        return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"

    fixed = {"file_version": dotted(file_ms, file_ls), "product_version": dotted(product_ms, product_ls),
             "file_type": file_type}
    strings = {}
    for child_key, _, tables, _ in children:
        if child_key != "StringFileInfo":
            continue
        for _, _, entries, _ in tables:
            for name, text, _, _ in entries:
                strings[name] = text.decode("utf-16-le").rstrip("\0")
    return fixed, strings


# ---- manifest ---------------------------------------------------------------------------

ASSEMBLY_NS = "{urn:schemas-microsoft-com:asm.v1}"


def parse_manifest(data):
    """(assemblyIdentity attributes, description text, names of dependent assemblies)."""
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        raise ResourceFormatError(f"manifest is not well-formed XML: {error}") from None
    if root.tag != ASSEMBLY_NS + "assembly":
        raise ResourceFormatError(f"manifest root is <{root.tag}>, not <assembly>")
    identity = root.find(ASSEMBLY_NS + "assemblyIdentity")
    description = root.find(ASSEMBLY_NS + "description")
    dependencies = [element.get("name", "") for element in root.iter(ASSEMBLY_NS + "assemblyIdentity")
                    if element is not identity]
    return (dict(identity.attrib) if identity is not None else {},
            description.text.strip() if description is not None and description.text else "",
            dependencies)
