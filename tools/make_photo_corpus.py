#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Makes the photo corpus in tests/data/photos: small HEIC, AVIF and JPEG XL pictures made by the
# formats' own encoders, pictures with wide-gamut ICC profiles or an EXIF orientation, broken HEIC
# files, and beside each picture NAME the pixels it must load to, NAME.png, computed without the
# game: by the format's reference decoder (heif-convert, djxl), by littlecms (PIL.ImageCms) for a
# colour profile and by PIL for an orientation. The same files on every run.
# Needs what tools/setup installs: libheif-examples, libjxl-tools, libavif-bin, colord-data, PIL.
import ctypes
import io
import pathlib
import re
import subprocess
import sys
import tempfile

from PIL import Image, ImageCms, ImageOps

OUT = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data" / "photos"
PROFILES = pathlib.Path("/usr/share/color/icc/colord")
W, H = 64, 48


def scene(w=W, h=H):
    """Smooth ramps with saturated blocks, different in every cell of a 4 x 4 board."""
    im = Image.new("RGB", (w, h))
    im.putdata([(x * 255 // (w - 1), y * 255 // (h - 1), (x + y) * 2 % 256) for y in range(h) for x in range(w)])
    for i, colour in enumerate([(250, 20, 20), (20, 230, 40), (30, 40, 240), (240, 220, 30)]):
        im.paste(colour, (4 + 15 * i, 6, 12 + 15 * i, 18))
    return im


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def reference(decoder, picture, tmp):
    """The picture as its format's reference decoder gives it, 8 bits a channel."""
    out = tmp / (picture.name + ".png")
    run(decoder, str(picture), str(out))
    with Image.open(out) as im:
        return im.convert("RGB") if im.mode != "I;16" else im


def in_srgb(im, icc):
    """`im`'s numbers, meant in the colour space of `icc`, converted to sRGB by littlecms."""
    source = ImageCms.ImageCmsProfile(io.BytesIO(icc))
    converted = ImageCms.profileToProfile(im, source, ImageCms.createProfile("sRGB"), outputMode="RGB")
    converted.info.pop("icc_profile", None)   # dated on each run: the file would change every time
    return converted


def rotated_heic(path, im, orientation):
    """A HEIC whose stored picture `im` is shown turned by `orientation` (EXIF numbering): libheif
    writes the irot and imir boxes for it, which heif-enc offers no option for."""
    heif = ctypes.CDLL("libheif.so.1")

    class Error(ctypes.Structure):
        _fields_ = [("code", ctypes.c_int), ("subcode", ctypes.c_int), ("message", ctypes.c_char_p)]

    class Options(ctypes.Structure):
        _fields_ = [("version", ctypes.c_uint8), ("save_alpha", ctypes.c_uint8), ("mac", ctypes.c_uint8),
                    ("two_colr", ctypes.c_uint8), ("nclx", ctypes.c_void_p), ("mac_no_nclx", ctypes.c_uint8),
                    ("orientation", ctypes.c_int)]

    for name in ("heif_image_create", "heif_image_add_plane", "heif_context_get_encoder_for_format",
                 "heif_context_encode_image", "heif_context_write_to_file"):
        getattr(heif, name).restype = Error
    heif.heif_context_alloc.restype = heif.heif_image_get_plane.restype = ctypes.c_void_p
    heif.heif_encoding_options_alloc.restype = ctypes.POINTER(Options)
    image, encoder, stride = ctypes.c_void_p(), ctypes.c_void_p(), ctypes.c_int()
    context = ctypes.c_void_p(heif.heif_context_alloc())
    checks = [heif.heif_image_create(im.width, im.height, 1, 10, ctypes.byref(image)),   # RGB, interleaved
              heif.heif_image_add_plane(image, 10, im.width, im.height, 8)]
    plane = heif.heif_image_get_plane(image, 10, ctypes.byref(stride))
    row = im.width * 3
    for y in range(im.height):
        ctypes.memmove(plane + y * stride.value, im.tobytes()[y * row:(y + 1) * row], row)
    checks.append(heif.heif_context_get_encoder_for_format(context, 1, ctypes.byref(encoder)))   # HEVC
    heif.heif_encoder_set_lossy_quality(encoder, 90)
    options = heif.heif_encoding_options_alloc()
    options.contents.orientation = orientation
    checks += [heif.heif_context_encode_image(context, image, encoder, options, None),
               heif.heif_context_write_to_file(context, str(path).encode())]
    if any(e.code for e in checks):
        sys.exit(f"libheif: {[e.message for e in checks if e.code]}")


def hostile(name, data):
    (OUT / name).write_bytes(data)


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as t:
        tmp = pathlib.Path(t)
        source = tmp / "scene.png"
        scene().save(source)
        # Each format by its encoder, and its pixels by its reference decoder.
        encoded = {"sample.heic": ["heif-enc", "-q", "80", str(source), "-o"],
                   "sample.avif": ["avifenc", "-s", "8", str(source)],
                   "deep.avif": ["avifenc", "-s", "8", "-d", "10", str(source)],
                   "sample.jxl": ["cjxl", "-d", "1", str(source)]}
        for name, command in encoded.items():
            run(*command, str(OUT / name))
        rotated_heic(OUT / "rotated.heic", scene(), 6)   # a phone's portrait photo, stored on its side
        for name in list(encoded) + ["rotated.heic"]:
            decoder = "djxl" if name.endswith(".jxl") else "heif-convert"
            reference(decoder, OUT / name, tmp).save(OUT / (name + ".png"))
        # Wide-gamut pictures: the scene's numbers tagged with the profile, and what they are in sRGB.
        for name, profile in {"adobe.jpg": "AdobeRGB1998.icc", "prophoto.png": "ProPhotoRGB.icc",
                              "adobe.heic": "AdobeRGB1998.icc"}.items():
            icc = (PROFILES / profile).read_bytes()
            tagged = tmp / (name + ".png")
            scene().save(tagged, icc_profile=icc)
            if name.endswith(".heic"):
                run("heif-enc", "-q", "80", str(tagged), "-o", str(OUT / name))
                stored = reference("heif-convert", OUT / name, tmp)
            else:
                scene().save(OUT / name, icc_profile=icc, quality=90)
                stored = Image.open(OUT / name).convert("RGB")
            in_srgb(stored, icc).save(OUT / (name + ".png"))
        # PNG and WebP photos stored on their side with an EXIF orientation, upright as PIL turns them.
        for name in ("tagged6.png", "tagged6.webp"):
            exif = Image.Exif()
            exif[0x0112] = 6
            scene().save(OUT / name, exif=exif.tobytes(), lossless=True)
            ImageOps.exif_transpose(Image.open(OUT / name)).convert("RGB").save(OUT / (name + ".png"))
        # Phone-sized photos (12 megapixels, of one colour so that the files stay small): the decoder's
        # limits must leave room for the libraries' own copies of the pixels.
        Image.new("RGB", (4000, 3000), (90, 140, 200)).save(tmp / "phone.png")
        run("heif-enc", "-q", "50", str(tmp / "phone.png"), "-o", str(OUT / "phone.heic"))
        run("avifenc", "-s", "8", str(tmp / "phone.png"), str(OUT / "phone.avif"))
        # Broken HEIC files: one claiming 60000 x 60000 pixels in its ispe box, one cut short.
        heic = (OUT / "sample.heic").read_bytes()
        for side in (60000, 20000):   # every ispe box (coded and shown size): version, width, height
            sizes = b"\0" * 4 + side.to_bytes(4, "big") * 2
            hostile(f"huge_{side}.heic", re.sub(b"(?<=ispe).{12}", lambda _: sizes, heic, flags=re.S))
        hostile("truncated.heic", heic[:len(heic) * 2 // 3])


if __name__ == "__main__":
    main()
