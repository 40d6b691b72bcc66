#!/usr/bin/env python3
"""Writes a pseudo-translation of the catalogue: every text wrapped in
brackets and made a third longer with words of filler, its place markers,
mnemonics and line breaks kept, so a test can see that a text came from the
catalogue and that the window still has room for a longer language."""
import sys
import xml.etree.ElementTree as ET

OPEN, CLOSE = "\u27e6", "\u27e7"


def pseudo(text: str) -> str:
    extra = -(-len(text) // 3)
    words = []
    while sum(len(w) + 1 for w in words) < extra:
        words.append("\u0101\u0113\u012b"[: min(3, extra)])
    return OPEN + text + (" " + " ".join(words) if words else "") + CLOSE


def main(source: str, target: str) -> None:
    tree = ET.parse(source)
    for message in tree.iter("message"):
        text = message.findtext("source") or ""
        translation = message.find("translation")
        if translation is None:
            translation = ET.SubElement(message, "translation")
        translation.attrib.pop("type", None)
        if message.get("numerus") == "yes":
            # One form for one and one for more, as the language has them.
            for form in list(translation):
                translation.remove(form)
            translation.text = None
            for _ in range(2):
                ET.SubElement(translation, "numerusform").text = pseudo(text)
        else:
            translation.text = pseudo(text)
    tree.getroot().set("language", "eo")
    tree.write(target, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
