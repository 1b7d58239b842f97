"""End to end: cards with sound effects on, played with no audio device and with a null one.

With no audio output (ALSA configured with no device), every sound fails to start and is done
at once, so the card must play as `cardkit simulate` predicts for failing sounds (the same card
folder without Card.WAS): the sample card's path, its length (clearly shorter than with the
sounds playing) and its card window; and a small card whose figure walks only while its sound
plays takes one step. With ALSA's null device, wave-out really plays: the small card's figure
walks while the clip plays (more than one step, at most as many as the clip lasts), and the
sample card plays to its card window. The null device does not keep time (clips end early), so
how long a sound group lasts is only bounded, not matched.

    test_sound_devices.py --card card.exe --tracker figure_tracker.exe --pattern desktop_pattern.exe
        --probe window_probe.exe --cardkit cardkit --sample SAMPLE_CARD
        --alsa-none alsa-none.conf --alsa-null alsa-null.conf --session DIR --work DIR
"""

import os
import shutil

import card_run
import cardkit
from card_layout import Layout
from card_source import CardSource, picture
from figure_path import held_places, path_problems, positions, without_repeats

OPTIONS = ARGV = None
HOLD_TICKS = 10

WALK_TITLE = "E2E sound card"
CLIP_SECONDS = 4
STEP = 4
# The figure walks STEP pixels a tenth for as long as BEEP plays, then steps up and stays.
WALK_SCRIPTS = "do = [100,-300]1*3 (!BEEP ([%d,0]1)*100) [0,100]1*12\n" % STEP
GREY, BLACK, WHITE, MAGENTA = (128, 128, 128), (0, 0, 0), (255, 255, 255), (255, 0, 255)
WALK_LAYOUT = Layout(WALK_TITLE, message=(GREY, BLACK, WHITE), settings=(1, 0, 0)).palette(
    GREY, MAGENTA)


def no_sounds_copy(card, folder):
    """The card folder without Card.WAS: what failing sounds amount to."""
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(card, folder)
    os.remove(os.path.join(folder, "Card.WAS"))
    return folder


def title_of(card):
    with open(os.path.join(card, "Layout.txt"), encoding="cp1252") as f:
        return f.readline().strip()


class SoundDevicesTest(card_run.CardRunTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        source = CardSource(WALK_LAYOUT, WALK_SCRIPTS, "Sound card\n")
        source.frame("dot", 1, 8, 8, picture(8, 8, lambda x, y: MAGENTA))
        source.sound("BEEP", CLIP_SECONDS)
        cls.walk_card = source.build(OPTIONS.cardkit, os.path.join(OPTIONS.work, "sound-card"))
        cls.audio = {
            "none": {"ALSA_CONFIG_PATH": OPTIONS.alsa_none, "PULSE_SERVER": "unix:/nonexistent"},
            "null": {"ALSA_CONFIG_PATH": OPTIONS.alsa_null, "PULSE_SERVER": "unix:/nonexistent"},
        }

    def play(self, card, output):
        folder = os.path.join(OPTIONS.work, self.id().split(".")[-1])
        self.run_ = card_run.CardRun(self.session, OPTIONS, folder, card, title_of(card))
        self.run_.start(env=self.audio[output])
        self.run_.wait_card_shown(timeout=180)
        return self.run_

    def predictions(self, card):
        """(with sounds playing, with sounds failing), each one predicted run."""
        work_area = self.run_.log().work_area if self.run_ else (0, 0, 1024, 768)
        failing = no_sounds_copy(card, os.path.join(OPTIONS.work, "no-sounds",
                                                    self.id().split(".")[-1]))
        return (cardkit.simulate(OPTIONS.cardkit, card, work_area=work_area)[0],
                cardkit.simulate(OPTIONS.cardkit, failing, work_area=work_area)[0])

    def assert_path(self, steps):
        observed = self.run_.log().figure_paths()[0]
        self.assertEqual(path_problems(observed, positions(steps), start=(0, 0),
                                       must_see=held_places(steps, HOLD_TICKS)), [],
                         "observed %s" % observed)
        return observed

    def test_the_sample_card_without_audio_plays_as_predicted_for_failing_sounds(self):
        run = self.play(OPTIONS.sample, "none")
        playing, failing = self.predictions(run.folder)
        self.assertNotEqual(playing[-1].tick, failing[-1].tick, "the sounds matter")
        self.assert_path(failing)
        run.shoot("card-shown")

        # From the first step of the walk (the first move after the start, which Wine delays
        # as it takes the figure off the screen) to the card window.
        walk = without_repeats(positions(failing))[1]
        seconds = run.log().seconds_from(walk)

        def predicted(steps):
            first = next(s.tick for s in steps if s.kind == "frame" and (s.x, s.y) == walk)
            return (steps[-1].tick - first) / 10.0
        print("\nfrom %s to the card: %.1f s; predicted %.1f s for failing sounds, %.1f s for "
              "playing ones" % (walk, seconds, predicted(failing), predicted(playing)))
        self.assertGreaterEqual(seconds, predicted(failing) - 0.5)
        self.assertLess(seconds, (predicted(failing) + predicted(playing)) / 2,
                        "closer to failing sounds than to playing ones")

    def test_a_sound_group_without_audio_is_cut_short_as_predicted(self):
        run = self.play(self.walk_card, "none")
        playing, failing = self.predictions(self.walk_card)
        self.assertNotEqual(positions(playing)[-1], positions(failing)[-1])
        self.assert_path(failing)

    def group_steps(self, path):
        """How many steps the small card's figure took while its sound played."""
        walked = [x for x, y in path if y == 300]
        return (walked[-1] - walked[0]) // STEP

    def test_with_a_null_device_the_sound_plays_and_holds_its_group(self):
        run = self.play(self.walk_card, "null")
        playing, failing = self.predictions(self.walk_card)
        path = run.log().figure_paths()[0]
        steps = self.group_steps(path)
        print("\nthe %d s clip held its group for %d steps" % (CLIP_SECONDS, steps))
        self.assertGreater(steps, self.group_steps(positions(failing)),
                           "more steps than with a sound that fails")
        self.assertLessEqual(steps, self.group_steps(positions(playing)),
                             "no more steps than the clip lasts")
        last_walked = [p for p in path if p[1] == 300][-1]
        self.assertEqual(path[-1], (last_walked[0], 200), "the step up after the sound")

    def test_the_sample_card_with_a_null_device_plays_to_its_card_window(self):
        run = self.play(OPTIONS.sample, "null")
        playing, _ = self.predictions(run.folder)
        self.assert_path(playing)
        x, y, w, h, shown = run.log().card()
        self.assertEqual((w, h, shown), card_run.CARD_SIZE + (1,))


if __name__ == "__main__":
    OPTIONS, ARGV = card_run.parse_options(extra=("sample", "alsa-none", "alsa-null"))
    card_run.run_tests(OPTIONS, ARGV)
