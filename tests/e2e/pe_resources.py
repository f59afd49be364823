"""Reads a Windows program file natively: its header fields, its resources,
and the version information, icon group and manifest among them."""

import struct

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24
LARGE_ADDRESS_AWARE = 0x0020


class PeFile:
    def __init__(self, data):
        self.data = data
        header = struct.unpack_from("<I", data, 0x3C)[0]
        if data[header:header + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine, sections, self.time_stamp = struct.unpack_from("<HHI", data, header + 4)
        optional_size, self.characteristics = struct.unpack_from("<HH", data, header + 20)
        optional = header + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)  # PE32+ or PE32
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError(f"address {rva:#x} in no section")

    def resources(self):
        """Every resource as {(type, name, language): bytes}; names are the
        numbers the program uses, or strings."""
        found = {}
        base = self.offset(self.resource_rva)

        def walk(directory, path):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for index in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * index)
                if name & 0x80000000:
                    length = struct.unpack_from("<H", self.data, base + (name & 0x7FFFFFFF))[0]
                    start = base + (name & 0x7FFFFFFF) + 2
                    name = self.data[start:start + 2 * length].decode("utf-16-le")
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + (name,))
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    found[path + (name,)] = self.data[self.offset(rva):self.offset(rva) + size]

        walk(0, ())
        return found

    def resource(self, kind, name):
        """The resource of a type and name in its one language."""
        matches = [data for (k, n, _), data in self.resources().items() if (k, n) == (kind, name)]
        if len(matches) != 1:
            raise KeyError(f"{len(matches)} resources of type {kind} named {name}")
        return matches[0]


def version_information(data):
    """The version resource as (fixed file info fields, {translation block:
    {name: text}}, [(language, code page)])."""

    def node(at):
        length, value_length, text = struct.unpack_from("<HHH", data, at)
        end = data.index(b"\0\0", at + 6)
        while (end - at - 6) % 2:
            end = data.index(b"\0\0", end + 1)
        key = data[at + 6:end].decode("utf-16-le")
        value = (end + 2 + 3) & ~3
        size = value_length * 2 if text else value_length
        children, child = [], (value + size + 3) & ~3
        while child < at + length:
            children.append(node(child))
            child = (child + children[-1][3] + 3) & ~3
        return key, data[value:value + size], children, length

    key, fixed, children, _ = node(0)
    assert key == "VS_VERSION_INFO"
    fields = struct.unpack("<13I", fixed)
    strings, translations = {}, []
    for name, _, blocks, _ in children:
        if name == "StringFileInfo":
            for block, _, values, _ in blocks:
                strings[block] = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in values}
        elif name == "VarFileInfo":
            for _, value, _, _ in blocks:
                translations += [struct.unpack_from("<HH", value, i) for i in range(0, len(value), 4)]
    return fields, strings, translations


def icon_images(pe, group_name):
    """The images of an icon group as (width, height, bits a pixel, is PNG,
    has alpha), read from the images themselves."""
    group = pe.resource(RT_GROUP_ICON, group_name)
    count = struct.unpack_from("<H", group, 4)[0]
    images = []
    for index in range(count):
        identifier = struct.unpack_from("<H", group, 6 + 14 * index + 12)[0]
        image = pe.resource(RT_ICON, identifier)
        if image.startswith(b"\x89PNG\r\n\x1a\n"):
            width, height, depth, colour = struct.unpack_from(">IIBB", image, 16)
            images.append((width, height, depth * 4 if colour == 6 else depth, True, colour == 6))
        else:
            width, height, _, bits = struct.unpack_from("<iiHH", image, 4)
            alpha = image[40 + 3:40 + 4 * width * (height // 2):4] if bits == 32 else b""
            images.append((width, height // 2, bits, False, len(set(alpha)) > 1))
    return images
