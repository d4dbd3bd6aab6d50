"""Reading binary PPM images (as ghostscript writes them), and finding
colours."""

import pathlib
import subprocess


def render_pages(printed, dpi, folder):
    """Each page of a printed PostScript or PDF file as an Image at `dpi`,
    rendered by ghostscript into `folder`."""
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE",
                    "-sDEVICE=ppmraw", "-r%d" % dpi,
                    "-sOutputFile=%s" % (folder / ("%d-%%03d.ppm" % dpi)),
                    str(printed)], check=True, timeout=120)
    return [Image(path) for path in sorted(folder.glob("%d-*.ppm" % dpi))]


class Image:
    def __init__(self, path):
        data = pathlib.Path(path).read_bytes()
        fields = []
        position = 0
        # Header: magic, width, height, maximum value, each after whitespace
        # and possible comments.
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position) + 1
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise ValueError("not an 8-bit binary PPM: %s" % path)
        self.width = int(fields[1])
        self.height = int(fields[2])
        self._pixels = data[position + 1:]

    def pixel(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self._pixels[offset:offset + 3])

    def points_near(self, colour, tolerance):
        """Every (x, y) whose colour is within `tolerance` in each channel."""
        points = []
        for y in range(self.height):
            for x in range(self.width):
                p = self.pixel(x, y)
                if all(abs(p[i] - colour[i]) <= tolerance for i in range(3)):
                    points.append((x, y))
        return points

    def bounding_box(self, points):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        return min(xs), min(ys), max(xs), max(ys)
