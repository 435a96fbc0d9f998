"""Logs in the formats the browser reads through gpsbabel (Garmin FIT,
Training Center TCX), made by gpsbabel itself from our GPX, as a sailor's
watch or phone app would have written them.

gpsbabel's own clock is frozen (GPSBABEL_FREEZE_TIME), so the same GPX
always gives the same bytes. Without gpsbabel nothing is made, and the
caller keeps the files it already has.
"""

import os
import shutil
import subprocess
import tempfile

FORMATS = {"fit": "garmin_fit", "tcx": "gtrnctr"}


def available():
    return shutil.which("gpsbabel") is not None


def from_gpx(gpx_bytes, extension):
    """The log of `extension` (fit, tcx) holding the GPX's track; None
    without gpsbabel."""
    if not available():
        return None
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.gpx")
        dst = os.path.join(tmp, "out." + extension)
        with open(src, "wb") as f:
            f.write(gpx_bytes)
        subprocess.run(["gpsbabel", "-i", "gpx", "-f", src, "-o", FORMATS[extension], "-F", dst],
                       check=True, capture_output=True,
                       env=dict(os.environ, GPSBABEL_FREEZE_TIME="y", TZ="UTC"))
        with open(dst, "rb") as f:
            return f.read()
