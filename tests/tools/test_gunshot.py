"""The start-gun sound: the committed WAV is what the tool writes, and it
sounds like a shot (loud at once, gone by the end)."""

import os
import sys
import tempfile
import unittest
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(REPO, "tools", "sound"))

import make_gunshot  # noqa: E402

COMMITTED = os.path.join(REPO, "src", "app", "resources", "gunshot.wav")


class GunshotTest(unittest.TestCase):
    def test_committed_file_is_the_tools_output(self):
        with tempfile.TemporaryDirectory() as tmp:
            fresh = os.path.join(tmp, "gunshot.wav")
            make_gunshot.write_wav(fresh, make_gunshot.synthesise())
            with open(fresh, "rb") as a, open(COMMITTED, "rb") as b:
                self.assertEqual(a.read(), b.read())

    def test_format_and_envelope(self):
        with wave.open(COMMITTED) as w:
            self.assertEqual((w.getnchannels(), w.getsampwidth(), w.getframerate()), (1, 2, 22050))
            self.assertAlmostEqual(w.getnframes() / w.getframerate(), 0.6, places=2)
        samples = make_gunshot.synthesise()
        rate = make_gunshot.RATE
        first = max(abs(v) for v in samples[: rate // 50])
        last = max(abs(v) for v in samples[-rate // 20 :])
        self.assertGreater(first, 0.8)
        self.assertLess(last, 0.02)


if __name__ == "__main__":
    unittest.main()
